#include "realtraffic/realtraffic_status.h"

namespace tfx {

std::string RealTrafficStatus::editionText() const {
  std::lock_guard guard(lock_);
  return editionText_;
}

void RealTrafficStatus::setEditionText(std::string_view text) {
  std::lock_guard guard(lock_);
  editionText_ = text;
}

RealTrafficStatus& realTrafficStatus() {
  static RealTrafficStatus status;
  return status;
}

}  // namespace tfx
