#pragma once
// What the window shows of the traffic: the user aircraft, the radius, the
// park airport with its stands and every live and static aircraft. The main
// program thread fills the back picture and swaps it in under the lock; the
// window's readers look at the front picture under the same lock.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/parking_status.h"
#include "ui/picture_text.h"

namespace tfx::ui {

struct PictureUser {
  double lat = 0.0;
  double lon = 0.0;
  double altitudeFt = 0.0;
  double aboveGroundFt = 0.0;
  double headingDeg = 0.0;
  double groundSpeedKt = 0.0;
  bool onGround = false;
};

struct PictureAirport {
  std::string code{};
  double lat = 0.0;
  double lon = 0.0;
};

struct PictureStand {
  uint32_t id = 0;
  double lat = 0.0;
  double lon = 0.0;
  double headingDeg = 0.0;
  double radiusM = 0.0;
};

struct PictureAircraft {
  uint32_t hexid = 0;
  bool live = true;
  PictureText callsign{};
  PictureText type{};
  PictureText airline{};
  PictureText registration{};
  PictureText origin{};
  PictureText destination{};
  // Names of a table made once.
  std::string_view state{};
  std::string_view phase{};
  double lat = 0.0;
  double lon = 0.0;
  double altitudeFt = 0.0;
  double headingDeg = 0.0;
  double speedKt = 0.0;
  bool onGround = false;
  std::optional<uint32_t> stand{};
  // A title of the livery tables or the default title, which live as long as
  // the program runs, so that the window may read it after the aircraft went.
  std::string_view livery{};
};

struct TrafficPicture {
  std::optional<PictureUser> user;
  double radiusNm = 0.0;
  std::optional<PictureAirport> parkAirport;
  std::vector<PictureStand> stands;
  std::vector<PictureAircraft> aircraft;
  ParkingStatus parking;
};

class TrafficPictureBuffer {
 public:
  // Main program thread only: the picture to fill; its lists keep their room between publishes.
  TrafficPicture& back() { return back_; }
  // Swaps the back picture in and wakes the waiting readers.
  void publish();

  // The front picture under the lock, with its revision (0 before the first publish).
  void read(const std::function<void(const TrafficPicture&, uint64_t revision)>& reader) const;
  uint64_t revision() const;
  // Waits until the revision differs from `seen`, or the time is up; the revision then.
  uint64_t waitForChange(uint64_t seen, std::chrono::milliseconds patience) const;
  // Live hexids with this callsign in the front picture.
  std::vector<uint32_t> liveHexids(std::string_view callsign) const;

 private:
  TrafficPicture back_;
  mutable std::mutex lock_;
  mutable std::condition_variable changed_;
  TrafficPicture front_;
  uint64_t revision_ = 0;
};

}  // namespace tfx::ui
