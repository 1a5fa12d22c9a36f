#include "sim/simconnect/simconnect_client.h"

#include <fmt/format.h>

#include <array>

#include "core/log.h"
#include "core/text_trim.h"
#include "sim/simconnect/message_framer.h"

namespace tfx::simconnect {
SimConnectClient::~SimConnectClient() { close(); }

int32_t SimConnectClient::open(std::string_view applicationName) {
  return open(applicationName, loadSimConnectConfig());
}

int32_t SimConnectClient::open(std::string_view applicationName, const SimConnectConfig& config,
                               const std::function<bool()>& cancelled) {
  if (receiver_.joinable()) {
    if (connected_) return kResultFail;
    close();  // what is left of a lost connection
  }
  if (lowerAscii(config.protocol) != "ipv4") {
    // Named pipes and IPv6 have no transport on this platform.
    writeLogError(fmt::format("SimConnect.cfg: Protocol={} is not available, use Protocol=IPv4", config.protocol));
    return kResultFail;
  }
  const std::string address = lowerAscii(config.address) == "localhost" ? "127.0.0.1" : config.address;
  {
    std::lock_guard lock(sendMutex_);
    if (stream_.connect(address, config.port, cancelled) != 0) return kResultFail;
    if (config.disableNagle) stream_.setNoDelay();
    sendIds_ = SendIdCounter();
    outbound_.clear();
    outboundSent_ = 0;
  }
  {
    std::lock_guard lock(queueMutex_);
    queue_.clear();
  }
  closing_ = false;
  connected_ = true;
  receiver_ = std::thread([this, max = config.maxReceiveSize] { receiveLoop(max); });
  OpenRequest request;
  request.applicationName = applicationName;
  const int32_t result = send(request);
  if (result != kResultOk) close();
  return result;
}

int32_t SimConnectClient::close() {
  if (!receiver_.joinable()) return kResultFail;
  closing_ = true;
  connected_ = false;
  stream_.shutdown();
  receiver_.join();
  std::lock_guard lock(sendMutex_);
  stream_.close();
  return kResultOk;
}

void SimConnectClient::receiveLoop(uint32_t maxReceiveSize) {
  MessageFramer framer(kServerHeaderSize, maxReceiveSize);
  std::array<char, 16384> buffer;
  Bytes message;
  while (true) {
    const platform::IoResult received = stream_.receive(buffer);
    if (received.bytes <= 0) {
      if (!closing_) {
        writeLogError(received.ok() ? std::string("SimConnect: the simulator closed the connection")
                                    : fmt::format("SimConnect: receive failed, socket error {}", received.error));
      }
      break;
    }
    framer.append({reinterpret_cast<const uint8_t*>(buffer.data()), static_cast<size_t>(received.bytes)});
    MessageFramer::Result result;
    while ((result = framer.next(message)) == MessageFramer::Result::Message) {
      std::lock_guard lock(queueMutex_);
      queue_.push_back(std::move(message));
    }
    if (result == MessageFramer::Result::BadSize) {
      writeLogError(fmt::format("SimConnect: received message size {} outside {}..{}, connection closed",
                                framer.badSize(), kServerHeaderSize, maxReceiveSize));
      break;
    }
  }
  connected_ = false;
  stream_.shutdown();
}

int32_t SimConnectClient::send(const ClientRequest& request) {
  std::lock_guard lock(sendMutex_);
  if (!connected_) return kResultFail;
  const uint32_t sendId = sendIds_.peekNext();
  const Bytes message = encodeClientMessage(request, kP3dProtocol, sendId);
  outbound_.append(asText(message));
  sendIds_.commit(sendId);
  return flushOutbound() ? kResultOk : kResultFail;
}

bool SimConnectClient::flushOutbound() {
  // Sending never waits on the simulator: what its socket does not take now
  // waits here for the next send or dispatch, so neither the frame work nor
  // the main program thread is held by a simulator that stops reading.
  while (outboundSent_ < outbound_.size()) {
    const platform::IoResult sent = stream_.sendAvailable(std::string_view(outbound_).substr(outboundSent_));
    if (!sent.ok()) {
      connected_ = false;
      return false;
    }
    if (sent.bytes == 0) break;
    outboundSent_ += static_cast<size_t>(sent.bytes);
  }
  if (outboundSent_ == outbound_.size()) {
    outbound_.clear();
    outboundSent_ = 0;
    return true;
  }
  if (outbound_.size() - outboundSent_ <= maxWaitingBytes_) return true;
  writeLogError(fmt::format("SimConnect: the simulator takes no messages, {} bytes waiting, connection closed",
                            outbound_.size() - outboundSent_));
  connected_ = false;
  stream_.shutdown();
  return false;
}

int32_t SimConnectClient::dispatch(const DispatchHandler& handler) {
  {
    std::lock_guard lock(sendMutex_);
    if (connected_) flushOutbound();
  }
  std::deque<Bytes> messages;
  {
    std::lock_guard lock(queueMutex_);
    messages.swap(queue_);
  }
  if (messages.empty() && !connected_) return kResultFail;
  for (const Bytes& message : messages) handler(decodeServerMessage(message));
  return kResultOk;
}

int32_t SimConnectClient::GetLastSentPacketID(uint32_t* sendId) const {
  std::lock_guard lock(sendMutex_);
  if (sendId == nullptr || sendIds_.last() == 0) return kResultFail;
  *sendId = sendIds_.last();
  return kResultOk;
}

int32_t SimConnectClient::mapClientEventToSimEvent(uint32_t eventId, std::string_view eventName) {
  return send(MapClientEventRequest{eventId, std::string(eventName)});
}

int32_t SimConnectClient::addClientEventToNotificationGroup(uint32_t groupId, uint32_t eventId, bool maskable) {
  return send(AddClientEventToGroupRequest{groupId, eventId, maskable ? 1u : 0u});
}

int32_t SimConnectClient::setNotificationGroupPriority(uint32_t groupId, uint32_t priority) {
  return send(SetGroupPriorityRequest{groupId, priority});
}

int32_t SimConnectClient::subscribeToSystemEvent(uint32_t eventId, std::string_view eventName) {
  return send(SubscribeToSystemEventRequest{eventId, std::string(eventName)});
}

int32_t SimConnectClient::addToDataDefinition(uint32_t defineId, std::string_view datumName,
                                              std::string_view unitsName, DataType dataType, float epsilon,
                                              uint32_t datumId) {
  return send(AddToDataDefinitionRequest{defineId, std::string(datumName), std::string(unitsName), dataType,
                                         epsilon, datumId});
}

int32_t SimConnectClient::requestDataOnSimObject(uint32_t requestId, uint32_t defineId, uint32_t objectId,
                                                 Period period, uint32_t flags, uint32_t origin, uint32_t interval,
                                                 uint32_t limit) {
  return send(RequestDataRequest{requestId, defineId, objectId, period, flags, origin, interval, limit});
}

int32_t SimConnectClient::requestDataOnSimObjectType(uint32_t requestId, uint32_t defineId, uint32_t radiusMeters,
                                                     SimObjectType objectType) {
  return send(RequestDataByTypeRequest{requestId, defineId, radiusMeters, objectType});
}

int32_t SimConnectClient::setDataOnSimObject(uint32_t defineId, uint32_t objectId, uint32_t flags,
                                             uint32_t elementCount, uint32_t elementSize, ByteView data) {
  return send(SetDataRequest{defineId, objectId, flags, elementCount, elementSize, Bytes(data.begin(), data.end())});
}

int32_t SimConnectClient::transmitClientEvent(uint32_t objectId, uint32_t eventId, uint32_t data, uint32_t groupId,
                                              uint32_t flags) {
  return send(TransmitClientEventRequest{objectId, eventId, data, groupId, flags});
}

int32_t SimConnectClient::aiCreateNonAtcAircraft(std::string_view containerTitle, std::string_view tailNumber,
                                                 const InitPosition& position, uint32_t requestId) {
  return send(AICreateNonAtcAircraftRequest{std::string(containerTitle), std::string(tailNumber), position,
                                            requestId});
}

int32_t SimConnectClient::aiReleaseControl(uint32_t objectId, uint32_t requestId) {
  return send(AIReleaseControlRequest{objectId, requestId});
}

int32_t SimConnectClient::aiRemoveObject(uint32_t objectId, uint32_t requestId) {
  return send(AIRemoveObjectRequest{objectId, requestId});
}

int32_t SimConnectClient::aiSetAircraftFlightPlan(uint32_t objectId, std::string_view flightPlanPath,
                                                  uint32_t requestId) {
  return send(AISetFlightPlanRequest{objectId, std::string(flightPlanPath), requestId});
}

}  // namespace tfx::simconnect
