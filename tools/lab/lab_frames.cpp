#include "lab_frames.h"

#include <fmt/format.h>

#include <algorithm>
#include <string_view>

#include "core/geodesy.h"

namespace tfx::lab {

FrameWriter::FrameWriter(std::ostream& out) : out_(out) {
  out_ << "t_s,hexid,object_id,lat,lon,alt_ft,pitch_deg,bank_deg,heading_deg,on_ground,state\n";
}

void FrameWriter::frame(double seconds, const simstandin::World& world, TrafficState& traffic) {
  // One write per frame: the rows of a long run are the lab's largest output.
  fmt::memory_buffer rows;
  for (const auto& [id, object] : world.objects()) {
    if (object.isUser) continue;
    // A copy: clang does not capture structured bindings.
    const uint32_t objectId = id;
    const auto owner = std::find_if(traffic.liveList.begin(), traffic.liveList.end(),
                                    [&](const LiveAircraft& a) { return a.objectId == objectId; });
    uint32_t hexid = 0;
    std::string_view state;
    if (owner != traffic.liveList.end()) {
      hexid = owner->hexid;
      state = simStateName(owner->state);
    } else if (const auto parked = std::find_if(traffic.staticRecords.begin(), traffic.staticRecords.end(),
                                                [&](const StaticRecord& r) { return r.objectId == objectId; });
               parked != traffic.staticRecords.end()) {
      hexid = parked->aircraft.hexid;
      state = kStaticState;
    }
    fmt::format_to(fmt::appender(rows), "{:.3f},{},{},{:.7f},{:.7f},{:.1f},{:.2f},{:.2f},{:.2f},{},{}\n", seconds, hexid,
                   id, object.latitude, object.longitude, object.altitudeFeet, object.pitch * kRadToDeg,
                   object.bank * kRadToDeg, object.heading * kRadToDeg, world.onGround(object) ? 1 : 0, state);
  }
  out_.write(rows.data(), static_cast<std::streamsize>(rows.size()));
}

}  // namespace tfx::lab
