#pragma once
// frames.csv: every AI object of every simulator frame as the simulator holds
// it, with the live aircraft record or the static aircraft that owns it.
#include <ostream>
#include <string_view>

#include "traffic/traffic_state.h"
#include "world.h"

namespace tfx::lab {

// The state column of a static aircraft's rows.
inline constexpr std::string_view kStaticState = "static";

class FrameWriter {
 public:
  // Writes the header line.
  explicit FrameWriter(std::ostream& out);
  void frame(double seconds, const simstandin::World& world, TrafficState& traffic);

 private:
  std::ostream& out_;
};

}  // namespace tfx::lab
