#pragma once
// The receive loop shared by the traffic and weather readers: one UDP socket,
// one thread, one datagram at a time handed to the feed's own processing.
#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "realtraffic/feed_state.h"

namespace tfx {

// Datagrams of this size or more are not processed.
inline constexpr size_t kReceiveBufferSize = 16384;

class UdpReader {
 public:
  // loopbackOnly binds to 127.0.0.1 (the RealTraffic client runs on this
  // computer), otherwise to all local addresses; port 0 takes a free port.
  UdpReader(std::string_view name, uint16_t port, bool loopbackOnly);
  virtual ~UdpReader() = default;
  UdpReader(const UdpReader&) = delete;
  UdpReader& operator=(const UdpReader&) = delete;

  // The thread body: receives until the stop flag is set. A failure shows
  // "The {} has stopped with error: {}" and ends the session for a restart.
  void run();

  const std::string& name() const { return name_; }
  // The port bound once the reader runs (0 before).
  uint16_t boundPort() const { return boundPort_.load(); }

  std::atomic<bool> stopFlag{false};
  // Datagrams received (over-long ones not counted).
  std::atomic<int32_t> datagramCount{0};
  // FeedState; the main program thread writes "no data" into it.
  std::atomic<int32_t> state{kFeedNotStarted};

 protected:
  // Handles the datagram just received (on the reader's thread).
  virtual void process(std::string_view datagram) = 0;

 private:
  void receiveLoop();
  void stopped();

  std::string name_;
  uint16_t port_;
  bool loopbackOnly_;
  std::atomic<uint16_t> boundPort_{0};
  std::array<char, kReceiveBufferSize> buffer_{};
  std::string previousDatagram_;
};

}  // namespace tfx
