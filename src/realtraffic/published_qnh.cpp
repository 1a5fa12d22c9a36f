#include "realtraffic/published_qnh.h"

namespace tfx {

std::atomic<int32_t>& publishedQnh() {
  static std::atomic<int32_t> qnh{kStandardQnh};
  return qnh;
}

}  // namespace tfx
