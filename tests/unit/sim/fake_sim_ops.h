#pragma once
// A SimConnectOps that records every call as one line of text and fails the
// operations a test names; plus builders of the simulator's messages.
#include <fmt/format.h>

#include <set>
#include <string>
#include <vector>

#include "sim/sim_connect_ops.h"
#include "sim/simconnect/object_data.h"
#include "sim/simconnect/server_messages.h"

namespace tfx::sim::test {

namespace sc = simconnect;

class FakeSimOps final : public SimConnectOps {
 public:
  std::vector<std::string> calls;
  std::set<std::string> failing;  // operation names that return a failure
  uint32_t nextPacketId = 40;
  bool packetIdFails = false;

  // The declarations are checked against the stand-in.
  int32_t mapClientEventToSimEvent(uint32_t, std::string_view) override { return record("declare", ""); }
  int32_t addClientEventToNotificationGroup(uint32_t, uint32_t) override { return record("declare", ""); }
  int32_t setNotificationGroupPriority(uint32_t, uint32_t) override { return record("declare", ""); }
  int32_t subscribeToSystemEvent(uint32_t, std::string_view) override { return record("declare", ""); }
  int32_t addToDataDefinition(uint32_t, std::string_view, std::string_view, sc::DataType) override {
    return record("declare", "");
  }
  int32_t requestDataOnSimObject(uint32_t requestId, uint32_t defineId, uint32_t objectId, sc::Period period) override {
    return record("request", fmt::format("{} {} {} {}", requestId, defineId, objectId, static_cast<int>(period)));
  }
  int32_t requestDataOnSimObjectType(uint32_t requestId, uint32_t defineId, uint32_t radius,
                                     sc::SimObjectType type) override {
    return record("bytype", fmt::format("{} {} {} {}", requestId, defineId, radius, static_cast<int>(type)));
  }
  int32_t setDataOnSimObject(uint32_t defineId, uint32_t objectId, sc::ByteView record) override {
    sc::DatumReader reader(record);
    const double lat = reader.float64();
    return this->record("setdata", fmt::format("{} {} {} lat={}", defineId, objectId, record.size(), lat));
  }
  int32_t transmitClientEvent(uint32_t objectId, uint32_t eventId, uint32_t data) override {
    return record("event", fmt::format("{} {} {}", objectId, eventId, data));
  }
  int32_t aiCreateNonAtcAircraft(std::string_view title, std::string_view tail, const sc::InitPosition& p,
                                 uint32_t requestId, int32_t& packetIdResult, uint32_t& packetId) override {
    const int32_t result =
        record("create", fmt::format("{} {} {} {} {}", title, tail, p.latitude, p.onGround, requestId));
    if (result == 0) {
      packetIdResult = packetIdFails ? sc::kResultFail : 0;
      packetId = nextPacketId++;
    }
    return result;
  }
  int32_t aiReleaseControl(uint32_t objectId, uint32_t requestId) override {
    return record("release", fmt::format("{} {}", objectId, requestId));
  }
  int32_t aiRemoveObject(uint32_t objectId, uint32_t requestId) override {
    return record("remove", fmt::format("{} {}", objectId, requestId));
  }
  int32_t aiSetAircraftFlightPlan(uint32_t objectId, std::string_view path, uint32_t requestId) override {
    return record("flightplan", fmt::format("{} {} {}", objectId, path, requestId));
  }

  std::vector<std::string> take() {
    std::vector<std::string> taken;
    taken.swap(calls);
    return taken;
  }

 private:
  int32_t record(const std::string& name, const std::string& arguments) {
    calls.push_back(name + " " + arguments);
    return failing.contains(name) ? sc::kResultFail : 0;
  }
};

// Object data as the simulator sends it; `data` is kept alive by the returned holder.
struct DataMessage {
  sc::Bytes data;
  sc::SimObjectDataMessage message;
  operator sc::ServerMessage() const {
    sc::SimObjectDataMessage copy = message;
    copy.data = data;
    return copy;
  }
};

inline DataMessage objectData(uint32_t requestId, uint32_t objectId, bool byType = false) {
  DataMessage m;
  m.message.requestId = requestId;
  m.message.objectId = objectId;
  m.message.byType = byType;
  return m;
}

}  // namespace tfx::sim::test
