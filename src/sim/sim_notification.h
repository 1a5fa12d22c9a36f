#pragma once
// What the "SimClient" thread (and the window, for blocked callsigns) tells the
// main program thread about simulator objects.
#include <cstdint>

namespace tfx::sim {

enum class NotificationKind : uint32_t {
  LiveCreated = 0,      // object id, hexid, valueB = altitude above ground (feet)
  StaticCreated = 1,    // object id, hexid (10000 or less)
  Removed = 2,          // object id
  GroundData = 3,       // object id, hexid = on ground 0/1, valueA = ground altitude, valueB = altitude above ground
  Shape = 4,            // object id, valueA = CG height (feet), valueB = static pitch (radians)
  CallsignBlocked = 5,  // hexid
  CreateFailed = 6,     // hexid
};

struct SimNotification {
  uint32_t objectId = 0;
  uint32_t hexid = 0;  // or the second value of the kind
  int32_t counter = 0;
  NotificationKind kind = NotificationKind::Removed;
  double valueA = 0;
  double valueB = 0;
};

// Hexids of static parked aircraft; live aircraft carry their transponder address, above this.
inline constexpr uint32_t kMaxStaticHexid = 10000;

}  // namespace tfx::sim
