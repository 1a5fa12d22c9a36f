#pragma once
// The hand-over of reports from the traffic reader thread to the main program
// thread: a queue under its own recursive lock, filled only while the main
// program thread accepts traffic.
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>

#include "realtraffic/traffic_report.h"

namespace tfx {

// A report is due 30 s (3000 cycles) after it arrived.
inline constexpr int32_t kReportDelayCycles = 3000;

class TrafficQueue {
 public:
  // Stamps the report with its due cycle and appends it while traffic is
  // accepted; returns whether it was queued.
  bool offer(TrafficReport report);
  // Sets or clears acceptingTraffic under the queue lock.
  void setAccepting(bool accepting);
  bool accepting() const { return acceptingTraffic.load(); }

  // The consumer locks `mutex` while it takes reports from the front of `reports`.
  std::recursive_mutex mutex;
  std::deque<TrafficReport> reports;
  std::atomic<bool> acceptingTraffic{false};
};

}  // namespace tfx
