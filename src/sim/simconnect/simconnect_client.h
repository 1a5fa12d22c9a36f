#pragma once
// The program's SimConnect client: opens a TCP connection to the simulator,
// sends the client messages and collects the simulator's messages on a
// receive thread. dispatch() hands them to the caller on its own thread.
//
// Every operation returns 0 or a negative HRESULT-like value; kResultFail
// when the message cannot be sent (not connected, connection lost). Sending
// is internally locked, so the session thread and the main thread may both
// send, and never waits for the simulator: a message its socket does not
// take at once waits in the client, and a simulator that leaves more than a
// limit waiting is taken for lost.
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "platform/tcp_socket.h"
#include "sim/simconnect/client_messages.h"
#include "sim/simconnect/server_messages.h"
#include "sim/simconnect/simconnect_config.h"

namespace tfx::simconnect {

inline constexpr int32_t kResultOk = 0;
inline constexpr int32_t kResultFail = static_cast<int32_t>(0x80004005u);
// About ten seconds of the busiest traffic the program sends.
inline constexpr size_t kMaxWaitingBytes = 16u << 20;

// Called once per received message; the view is valid during the call only.
using DispatchHandler = std::function<void(const ServerMessage&)>;

class SimConnectClient {
 public:
  explicit SimConnectClient(size_t maxWaitingBytes = kMaxWaitingBytes) : maxWaitingBytes_(maxWaitingBytes) {}
  ~SimConnectClient();
  SimConnectClient(const SimConnectClient&) = delete;
  SimConnectClient& operator=(const SimConnectClient&) = delete;

  // Connects with the settings of SimConnect.cfg in the current folder and
  // sends Open; negative when the simulator is not there, or when `cancelled`
  // says so while the address does not answer.
  int32_t open(std::string_view applicationName);
  int32_t open(std::string_view applicationName, const SimConnectConfig& config,
               const std::function<bool()>& cancelled = {});
  // Negative when nothing was open.
  int32_t close();
  bool connected() const { return connected_.load(); }

  int32_t mapClientEventToSimEvent(uint32_t eventId, std::string_view eventName);
  int32_t addClientEventToNotificationGroup(uint32_t groupId, uint32_t eventId, bool maskable = false);
  int32_t setNotificationGroupPriority(uint32_t groupId, uint32_t priority);
  int32_t subscribeToSystemEvent(uint32_t eventId, std::string_view eventName);
  int32_t addToDataDefinition(uint32_t defineId, std::string_view datumName, std::string_view unitsName,
                              DataType dataType = DataType::Float64, float epsilon = 0.0f,
                              uint32_t datumId = kUnused);
  int32_t requestDataOnSimObject(uint32_t requestId, uint32_t defineId, uint32_t objectId, Period period,
                                 uint32_t flags = 0, uint32_t origin = 0, uint32_t interval = 0,
                                 uint32_t limit = 0);
  int32_t requestDataOnSimObjectType(uint32_t requestId, uint32_t defineId, uint32_t radiusMeters,
                                     SimObjectType objectType);
  // `data` holds elementCount records of elementSize bytes.
  int32_t setDataOnSimObject(uint32_t defineId, uint32_t objectId, uint32_t flags, uint32_t elementCount,
                             uint32_t elementSize, ByteView data);
  int32_t transmitClientEvent(uint32_t objectId, uint32_t eventId, uint32_t data, uint32_t groupId,
                              uint32_t flags);
  int32_t aiCreateNonAtcAircraft(std::string_view containerTitle, std::string_view tailNumber,
                                 const InitPosition& position, uint32_t requestId);
  int32_t aiReleaseControl(uint32_t objectId, uint32_t requestId);
  int32_t aiRemoveObject(uint32_t objectId, uint32_t requestId);
  int32_t aiSetAircraftFlightPlan(uint32_t objectId, std::string_view flightPlanPath, uint32_t requestId);

  // The send id of the last message sent on this connection.
  int32_t GetLastSentPacketID(uint32_t* sendId) const;

  // Hands every queued message to the handler. Negative once the connection
  // is gone and nothing is left to deliver.
  int32_t dispatch(const DispatchHandler& handler);

 private:
  int32_t send(const ClientRequest& request);
  // With sendMutex_ held: as much of the waiting bytes as the socket takes now.
  bool flushOutbound();
  void receiveLoop(uint32_t maxReceiveSize);

  mutable std::mutex sendMutex_;
  platform::TcpStream stream_;
  SendIdCounter sendIds_;
  std::string outbound_;
  size_t outboundSent_ = 0;
  size_t maxWaitingBytes_;
  std::atomic<bool> connected_{false};
  std::atomic<bool> closing_{false};
  std::thread receiver_;

  std::mutex queueMutex_;
  std::deque<Bytes> queue_;
};

}  // namespace tfx::simconnect
