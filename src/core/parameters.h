#pragma once
// Every setting of the program, one process-wide object per key. Code reads a
// setting's current value directly (RANGE.value()); the window's handlers and
// the parameters file operations change it.
#include <array>
#include <atomic>
#include <span>

#include "core/parameter_types.h"

namespace tfx {

extern BoolParameter RANDOM;
// The web window: its port (0: any free one), all addresses instead of loopback, opened in the browser at start.
extern BoolParameter WEB_WINDOW_LAN;
extern BoolParameter WEB_WINDOW_OPEN;
extern IntParameter WEB_WINDOW_PORT;

extern CheckBoxParameter AEROWINX;
extern CheckBoxParameter AFG_AUTOMATIC;
extern CheckBoxParameter COLLISION_USER_AIR;
extern CheckBoxParameter COLLISION_USER_GND;
extern CheckBoxParameter COLLISION_LIVE_PARKED_GND;
extern CheckBoxParameter SUPPRESS_STUB;
extern CheckBoxParameter LOG;
extern CheckBoxParameter ALWAYS_ON_TOP;
extern CheckBoxParameter SCAN_LIVERIES;
extern CheckBoxParameter LIG_AUTOMATIC;
extern CheckBoxParameter LIG_PRIORITIZE;
extern CheckBoxParameter SCAN_AIRPORTS;
extern CheckBoxParameter LIGHT_AIRCRAFT;
extern CheckBoxParameter HELICOPTERS;
extern CheckBoxParameter HIGH_PERF_AIRCRAFT;
extern CheckBoxParameter NAV_LIGHTS_WHILE_PARKED;
extern CheckBoxParameter AUTO_RANGE;
extern CheckBoxParameter LEARN_SOFT;
extern CheckBoxParameter STRAIGHT_PBS_ONLY;
extern CheckBoxParameter PARK_SOFT;
extern CheckBoxParameter PARK_FAKE;
extern CheckBoxParameter WEEK;
extern CheckBoxParameter INITIAL_LOAD_ONLY;
extern CheckBoxParameter GUID_CHANGES;

extern IntParameter CUSTOM_PARKING_PERCENTAGE;
extern IntParameter MAIN_WINDOW_X;
extern IntParameter MAIN_WINDOW_Y;
extern IntParameter LATERAL_RANGE;
extern IntParameter AIRPORT_RANGE;
extern IntParameter AUTO_RANGE_ABOVE_HEIGHT;
extern IntParameter AIRPORT_HEIGHT;
extern IntParameter LAST_EPOCH_TIME;  // key "LAST_EPOCH_TIME:"
extern IntParameter HOLDING_THRESHOLD_METERS;
extern IntParameter MAX_HOLDING_MINUTES;
extern IntParameter CUSTOM_MAX_PARK;
extern IntParameter MAX_LIVE;
extern IntParameter P3D_VERSION;

extern ComboParameter MATCHING_DEPTH;
extern ComboParameter RANGE;
extern EditIntParameter MAX_FIT;
extern ComboParameter AR_ABOVE_HEIGHT;
extern ComboParameter MAX_PARK_SEL;
extern ComboParameter MAX_LIVE_SEL;
extern ComboParameter AIRP_RANGE;
extern ComboParameter AIRP_HEIGHT;

// Not stored: they start at their defaults at every program start.
extern EditIntParameter parking_percentage;
extern EditFloatParameter MAX_FIT_FL;

extern StringParameter PROGRAM_VERSION;
extern StringParameter SIM_INSTALL_PATH;
extern StringParameter PORT_NUMBER;
extern std::array<StringParameter, 10> lfolder;  // keys lfolder0..lfolder9
extern std::array<StringParameter, 10> afolder;  // keys afolder0..afolder9
extern StringParameter PROGRAM_INSTALL_PATH;
extern StringParameter AIG_VERSION;
extern StringParameter DBASE_VERSION;
extern EditTextParameter DESTINATION;
extern EditTextParameter BLOCK_CALLSIGN;
extern EditTextParameter ALL_INSTALL_PATH;  // not stored: shows the install path

// Keys of the meta block of the program's XML data files.
extern StringParameter META_AUTHOR;
extern StringParameter META_DATE;
extern StringParameter META_VERSION;
extern StringParameter META_COPYRIGHT;
extern StringParameter META_MSFS;
extern StringParameter META_P3D;

extern const WindowButton kFlushStaticButton;
extern const WindowButton kUnblockButton;
extern const WindowButton kRereadButton;

// The lists the parameters file is walked in, in file order.
struct ParameterLists {
  std::span<BoolParameter* const> plainBools;
  std::span<CheckBoxParameter* const> checkBoxes;
  std::span<IntParameter* const> plainInts;
  std::span<IntParameter* const> windowInts;
  std::span<StringParameter* const> texts;
  std::span<EditTextParameter* const> closingTexts;
};
const ParameterLists& parameterLists();

// Every window-bound setting, for the window to find a setting by control.
std::span<Parameter* const> windowBoundParameters();

// The traffic radius derived from RANGE, read by every thread.
struct TrafficRadius {
  std::atomic<double> nm{40.0};
  std::atomic<double> meters{40.0 * 1852.0};
};
TrafficRadius& trafficRadius();
// Clamps RANGE to its bounds and derives the radius from it.
void updateTrafficRadius();

}  // namespace tfx
