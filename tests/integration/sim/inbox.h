#pragma once
// Collects what a SimConnect client dispatches, keeping copies of the object
// data, and waits (with a generous limit) until a condition holds.
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "sim/simconnect/simconnect_client.h"

namespace tfx::simconnect::test {

struct DataReply {
  SimObjectDataMessage header;
  Bytes data;
};

struct Inbox {
  std::vector<ServerMessage> messages;
  std::vector<DataReply> data;

  void take(const ServerMessage& message) {
    if (const auto* reply = std::get_if<SimObjectDataMessage>(&message)) {
      DataReply copy{*reply, Bytes(reply->data.begin(), reply->data.end())};
      copy.header.data = {};
      data.push_back(copy);
      messages.push_back(copy.header);
      return;
    }
    messages.push_back(message);
  }

  template <class T>
  std::vector<T> all() const {
    std::vector<T> found;
    for (const auto& message : messages)
      if (const T* typed = std::get_if<T>(&message)) found.push_back(*typed);
    return found;
  }

  std::vector<DataReply> replies(uint32_t requestId) const {
    std::vector<DataReply> found;
    for (const auto& reply : data)
      if (reply.header.requestId == requestId) found.push_back(reply);
    return found;
  }

  // Dispatches until `done` holds; false after 15 s (a hang, not a timing check).
  bool pump(SimConnectClient& client, const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (true) {
      client.dispatch([this](const ServerMessage& message) { take(message); });
      if (done()) return true;
      if (std::chrono::steady_clock::now() > limit) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
};

}  // namespace tfx::simconnect::test
