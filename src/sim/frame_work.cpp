// The frame work of the "SimClient" thread: once per simulator frame it sends
// what the main program thread queued since the last frame.
#include <fmt/format.h>

#include <array>
#include <bit>
#include <cstring>

#include "core/log.h"
#include "core/message_line.h"
#include "core/utc_time.h"
#include "sim/session_core.h"
#include "sim/sim_ids.h"

namespace tfx::sim {

bool SessionCore::frameWork() {
  std::unique_lock lock(exchange_.positionMutex(), std::try_to_lock);
  if (!lock.owns_lock()) return false;
  // Paused by a failed call: what was queued is dropped, never sent later.
  if (!values_.paused.load()) {
    sendPositions();
    if (sendEvents() && sendCreates()) sendRemovals();
  }
  if (values_.paused.load()) clearOutgoing();
  return true;
}

void SessionCore::clearOutgoing() {
  exchange_.outgoing.clear();
  exchange_.events.clear();
  exchange_.creates.clear();
  exchange_.removals.clear();
}

void SessionCore::sendPositions() {
  // The record goes out as it lies in memory: eight little-endian doubles.
  static_assert(std::endian::native == std::endian::little);
  const uint32_t userObjectId = values_.userObjectId.load();
  std::array<uint8_t, sizeof(PositionBlock)> bytes;
  for (const PositionRecord& record : exchange_.outgoing) {
    if (record.objectId <= userObjectId) continue;
    std::memcpy(bytes.data(), &record.block, sizeof(PositionBlock));
    ops_.setDataOnSimObject(kDefPositionBlock, record.objectId, bytes);
  }
  exchange_.outgoing.clear();
}

bool SessionCore::sendEvents() {
  for (const SimEvent& event : exchange_.events) {
    // The simulator takes AI control back for flaps; release it before and after.
    const bool flaps = event.eventId == kEvFlaps;
    if (flaps && ops_.aiReleaseControl(event.objectId, kReqReleaseControl) < 0) {
      requestError();
      return false;
    }
    if (ops_.transmitClientEvent(event.objectId, event.eventId, event.data) < 0) {
      showMessage(fmt::format("SimConnect TransmitClientEvent: {} fails", event.eventId));
      continue;
    }
    if (flaps && ops_.aiReleaseControl(event.objectId, kReqReleaseControl) < 0) {
      requestError();
      return false;
    }
  }
  exchange_.events.clear();
  return true;
}

bool SessionCore::sendCreates() {
  for (const CreateRequest& request : exchange_.creates) {
    const simconnect::InitPosition position{
        request.lat,  request.lon,     request.altitude, request.pitch,
        request.bank, request.heading, request.onGround, static_cast<int32_t>(request.airspeed)};
    int32_t packetIdResult = -1;
    uint32_t packetId = 0;
    if (ops_.aiCreateNonAtcAircraft(request.liveryTitle, request.callsign, position, kReqCreateAircraft, packetIdResult,
                                    packetId) < 0) {
      writeLog(fmt::format("! Simcon call to create ac in sim failed, hexid:{}, liv: '{}', callsign: {})",
                           request.hexid, request.liveryTitle, request.callsign));
      requestError();
      return false;
    }
    // Without its packet id the creation can still be recognised by its callsign.
    if (packetIdResult < 0) {
      writeLogError("GetLastSentPacketID");
      packetId = 0;
    }
    exchange_.pendingCreations.push_back({packetId, request.hexid, request.callsign});
  }
  exchange_.creates.clear();
  return true;
}

bool SessionCore::sendRemovals() {
  const uint32_t userObjectId = values_.userObjectId.load();
  for (uint32_t objectId : exchange_.removals) {
    if (objectId <= userObjectId) {
      writeLog(fmt::format("SimConnect call to remove ac with objectid {}", objectId));
      continue;
    }
    if (ops_.aiRemoveObject(objectId, kReqRemoveObject) < 0) {
      writeLog(fmt::format("{} !SimConnect call to remove AI ac from sim failed, id {}?", utcTimeNow(), objectId));
      requestError();
      return false;
    }
  }
  exchange_.removals.clear();
  return true;
}

}  // namespace tfx::sim
