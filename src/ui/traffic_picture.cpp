#include "ui/traffic_picture.h"

namespace tfx::ui {

void TrafficPictureBuffer::publish() {
  {
    std::lock_guard guard(lock_);
    std::swap(front_, back_);
    ++revision_;
  }
  changed_.notify_all();
}

void TrafficPictureBuffer::read(const std::function<void(const TrafficPicture&, uint64_t)>& reader) const {
  std::lock_guard guard(lock_);
  reader(front_, revision_);
}

uint64_t TrafficPictureBuffer::revision() const {
  std::lock_guard guard(lock_);
  return revision_;
}

uint64_t TrafficPictureBuffer::waitForChange(uint64_t seen, std::chrono::milliseconds patience) const {
  std::unique_lock guard(lock_);
  changed_.wait_for(guard, patience, [&] { return revision_ != seen; });
  return revision_;
}

std::vector<uint32_t> TrafficPictureBuffer::liveHexids(std::string_view callsign) const {
  std::lock_guard guard(lock_);
  std::vector<uint32_t> hexids;
  for (const PictureAircraft& aircraft : front_.aircraft) {
    if (aircraft.live && aircraft.callsign == callsign) hexids.push_back(aircraft.hexid);
  }
  return hexids;
}

}  // namespace tfx::ui
