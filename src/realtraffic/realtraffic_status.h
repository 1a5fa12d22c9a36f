#pragma once
// What the status area shows about RealTraffic; the window thread reads it
// when it paints, the main program thread writes it.
#include <atomic>
#include <mutex>
#include <string>
#include <string_view>

namespace tfx {

class RealTrafficStatus {
 public:
  // The "RealTraffic connected" mark.
  std::atomic<bool> connected{false};
  // The client reported the professional level: the simulator time is sent to it.
  std::atomic<bool> professional{false};

  // "RT{} edition: {}", or empty.
  std::string editionText() const;
  void setEditionText(std::string_view text);

 private:
  mutable std::mutex lock_;
  std::string editionText_;
};

RealTrafficStatus& realTrafficStatus();

}  // namespace tfx
