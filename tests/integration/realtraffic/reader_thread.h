#pragma once
// Runs a feed reader on its own thread for a test; stops and joins it at the end.
#include <thread>

#include "eventually.h"
#include "realtraffic/udp_reader.h"

namespace tfx::test {

class ReaderThread {
 public:
  explicit ReaderThread(UdpReader& reader) : reader_(reader), thread_([&reader] { reader.run(); }) {}
  ~ReaderThread() { stop(); }
  ReaderThread(const ReaderThread&) = delete;
  ReaderThread& operator=(const ReaderThread&) = delete;

  // Waits until the socket is bound; returns its port (0 when it never was).
  uint16_t waitUntilReceiving() {
    eventually([this] { return reader_.state.load() == kFeedReceiving; });
    return reader_.boundPort();
  }
  void stop() {
    reader_.stopFlag = true;
    if (thread_.joinable()) thread_.join();
  }

 private:
  UdpReader& reader_;
  std::thread thread_;
};

}  // namespace tfx::test
