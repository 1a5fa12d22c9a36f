#include "core/parameters.h"

#include "core/geodesy.h"

namespace tfx {

BoolParameter RANDOM{"RANDOM", true};
BoolParameter WEB_WINDOW_LAN{"WEB_WINDOW_LAN", false};
BoolParameter WEB_WINDOW_OPEN{"WEB_WINDOW_OPEN", true};
// 10750 clashes with none of the program's other ports and lies below the ephemeral ranges.
IntParameter WEB_WINDOW_PORT{"WEB_WINDOW_PORT", 10750, 0, 65535};

CheckBoxParameter AEROWINX{"AEROWINX", false, {32775, 203}};
CheckBoxParameter AFG_AUTOMATIC{"AFG_AUTOMATIC", true, {32802, 175}};
CheckBoxParameter COLLISION_USER_AIR{"COLLISION_USER_AIR", true, {32833, 287}};
CheckBoxParameter COLLISION_USER_GND{"COLLISION_USER_GND", true, {32834, 287}};
CheckBoxParameter COLLISION_LIVE_PARKED_GND{"COLLISION_LIVE_PARKED_GND", false, {32835, 287}};
CheckBoxParameter SUPPRESS_STUB{"SUPPRESS_STUB", true, {32800, 147}};
CheckBoxParameter LOG{"LOG", true, {32779, 147}};
CheckBoxParameter ALWAYS_ON_TOP{"ALWAYS_ON_TOP", false, {32771, 147}};
CheckBoxParameter SCAN_LIVERIES{"SCAN_LIVERIES", true, {32797, 147}};
CheckBoxParameter LIG_AUTOMATIC{"LIG_AUTOMATIC", true, {32798, 147}};
CheckBoxParameter LIG_PRIORITIZE{"LIG_PRIORITIZE", false, {32799, 147}};
CheckBoxParameter SCAN_AIRPORTS{"SCAN_AIRPORTS", true, {32801, 175}};
CheckBoxParameter LIGHT_AIRCRAFT{"LIGHT_AIRCRAFT", true, {32809, 203}};
CheckBoxParameter HELICOPTERS{"HELICOPTERS", true, {32810, 203}};
CheckBoxParameter HIGH_PERF_AIRCRAFT{"HIGH_PERF_AIRCRAFT", true, {32811, 203}};
CheckBoxParameter NAV_LIGHTS_WHILE_PARKED{"NAV_LIGHTS_WHILE_PARKED", true, {32778, 175}};
CheckBoxParameter AUTO_RANGE{"AUTO_RANGE", true, {32819, 231}};
CheckBoxParameter LEARN_SOFT{"LEARN_SOFT", true, {32777, 175}};
CheckBoxParameter STRAIGHT_PBS_ONLY{"STRAIGHT_PBS_ONLY", false, {32856, 315}};
CheckBoxParameter PARK_SOFT{"PARK_SOFT", true, {32851, 371}};
CheckBoxParameter PARK_FAKE{"PARK_FAKE", false, {32852, 371}};
CheckBoxParameter WEEK{"WEEK", false, {32854, 371}};
CheckBoxParameter INITIAL_LOAD_ONLY{"INITIAL_LOAD_ONLY", false, {32850, 371}};
CheckBoxParameter GUID_CHANGES{"GUID_CHANGES", true, {32773, 203}};

IntParameter CUSTOM_PARKING_PERCENTAGE{"CUSTOM_PARKING_PERCENTAGE", -1, -1, 100};
IntParameter MAIN_WINDOW_X{"MAIN_WINDOW_X", 400, -30000, 30000};
IntParameter MAIN_WINDOW_Y{"MAIN_WINDOW_Y", 20, -30000, 30000};
IntParameter LATERAL_RANGE{"LATERAL_RANGE", 40, 2, 100};
IntParameter AIRPORT_RANGE{"AIRPORT_RANGE", 20, 8, 30};
IntParameter AUTO_RANGE_ABOVE_HEIGHT{"AUTO_RANGE_ABOVE_HEIGHT", 49000, 18000, 49000};
IntParameter AIRPORT_HEIGHT{"AIRPORT_HEIGHT", 18000, 2000, 45000};
IntParameter LAST_EPOCH_TIME{"LAST_EPOCH_TIME:", 0, 0, 2147483647};
IntParameter HOLDING_THRESHOLD_METERS{"HOLDING_THRESHOLD_METERS", 250, 10, 4000};
IntParameter MAX_HOLDING_MINUTES{"MAX_HOLDING_MINUTES", 20, 1, 60};
IntParameter CUSTOM_MAX_PARK{"CUSTOM_MAX_PARK", -1, -1, 500};
IntParameter MAX_LIVE{"MAX_LIVE", -1, -1, 300};
IntParameter P3D_VERSION{"P3D_VERSION", 5, 5, 6};

ComboParameter MATCHING_DEPTH{"MATCHING_DEPTH", 4, {1, 2, 3, 4}, {32808, 203}};
ComboParameter RANGE{"RANGE", 40, {2, 3, 4, 5, 6, 8, 10, 12, 14, 16, 18, 20, 25, 30, 35, 40, 50, 65, 80, 100}, {32818, 231}};
EditIntParameter MAX_FIT{"MAX_FIT", 47, 0, 47, {32853, 371}};
ComboParameter AR_ABOVE_HEIGHT{"AR_ABOVE_HEIGHT", 48000,
                               {18000, 21000, 24000, 27000, 30000, 33000, 36000, 39000, 42000, 45000, 48000},
                               {32820, 231}};
ComboParameter MAX_PARK_SEL{"MAX_PARK_SEL", 500, {10, 25, 50, 75, 100, 500}, {32846, 315}};
ComboParameter MAX_LIVE_SEL{"MAX_LIVE_SEL", 500, {10, 25, 50, 75, 100, 500}, {32847, 315}};
ComboParameter AIRP_RANGE{"AIRP_RANGE", 20, {5, 10, 15, 20, 25, 30}, {32840, 343}};
ComboParameter AIRP_HEIGHT{"AIRP_HEIGHT", 18000,
                           {2000, 4000, 6000, 8000, 10000, 12000, 14000, 16000, 18000, 36000, 48000},
                           {32841, 343}};

EditIntParameter parking_percentage{"parking_percentage", 30, 0, 100, {32848, 371}};
EditFloatParameter MAX_FIT_FL{"MAX_FIT_FL", 24.0f, 0.5f, 24.0f, {32855, 371}};

StringParameter PROGRAM_VERSION{"PROGRAM_VERSION", ""};
StringParameter SIM_INSTALL_PATH{"SIM_INSTALL_PATH", ""};
StringParameter PORT_NUMBER{"PORT_NUMBER", "10747"};
std::array<StringParameter, 10> lfolder{{{"lfolder0", ""}, {"lfolder1", ""}, {"lfolder2", ""}, {"lfolder3", ""},
                                         {"lfolder4", ""}, {"lfolder5", ""}, {"lfolder6", ""}, {"lfolder7", ""},
                                         {"lfolder8", ""}, {"lfolder9", ""}}};
std::array<StringParameter, 10> afolder{{{"afolder0", ""}, {"afolder1", ""}, {"afolder2", ""}, {"afolder3", ""},
                                         {"afolder4", ""}, {"afolder5", ""}, {"afolder6", ""}, {"afolder7", ""},
                                         {"afolder8", ""}, {"afolder9", ""}}};
StringParameter PROGRAM_INSTALL_PATH{"PROGRAM_INSTALL_PATH", ""};
StringParameter AIG_VERSION{"AIG_VERSION", ""};
StringParameter DBASE_VERSION{"DBASE_VERSION", ""};
EditTextParameter DESTINATION{"DESTINATION", "", {32839, 343}};
EditTextParameter BLOCK_CALLSIGN{"BLOCK_CALLSIGN", "", {32828, 259}};
EditTextParameter ALL_INSTALL_PATH{"ALL_INSTALL_PATH", "", {32788, 119}};

StringParameter META_AUTHOR{"author", ""};
StringParameter META_DATE{"date", ""};
StringParameter META_VERSION{"version", ""};
StringParameter META_COPYRIGHT{"copyright", "Copyright (c) 2026 the Aeroshadow_P3D developers"};
StringParameter META_MSFS{"MSFS", ""};
StringParameter META_P3D{"P3D", ""};

const WindowButton kFlushStaticButton{{32858, 369}, "Flush static"};
const WindowButton kUnblockButton{{32829, 257}, "Unblock"};
const WindowButton kRereadButton{{32838, 341}, "Re-read"};

namespace {

BoolParameter* const kPlainBools[] = {&RANDOM, &WEB_WINDOW_LAN, &WEB_WINDOW_OPEN};

CheckBoxParameter* const kCheckBoxes[] = {
    &AEROWINX,       &AFG_AUTOMATIC,      &COLLISION_USER_AIR,      &COLLISION_USER_GND, &COLLISION_LIVE_PARKED_GND,
    &SUPPRESS_STUB,  &LOG,                &ALWAYS_ON_TOP,           &SCAN_LIVERIES,      &LIG_AUTOMATIC,
    &LIG_PRIORITIZE, &SCAN_AIRPORTS,      &LIGHT_AIRCRAFT,          &HELICOPTERS,        &HIGH_PERF_AIRCRAFT,
    &NAV_LIGHTS_WHILE_PARKED, &AUTO_RANGE, &LEARN_SOFT,             &STRAIGHT_PBS_ONLY,  &PARK_SOFT,
    &PARK_FAKE,      &WEEK,               &INITIAL_LOAD_ONLY,       &GUID_CHANGES};

IntParameter* const kPlainInts[] = {&CUSTOM_PARKING_PERCENTAGE, &MAIN_WINDOW_X,       &MAIN_WINDOW_Y,
                                    &LATERAL_RANGE,             &AIRPORT_RANGE,       &AUTO_RANGE_ABOVE_HEIGHT,
                                    &AIRPORT_HEIGHT,            &LAST_EPOCH_TIME,     &HOLDING_THRESHOLD_METERS,
                                    &MAX_HOLDING_MINUTES,       &CUSTOM_MAX_PARK,     &MAX_LIVE,
                                    &P3D_VERSION,               &WEB_WINDOW_PORT};

IntParameter* const kWindowInts[] = {&MATCHING_DEPTH, &RANGE,        &MAX_FIT,    &AR_ABOVE_HEIGHT,
                                     &MAX_PARK_SEL,   &MAX_LIVE_SEL, &AIRP_RANGE, &AIRP_HEIGHT};

StringParameter* const kTexts[] = {
    &PROGRAM_VERSION, &SIM_INSTALL_PATH, &PORT_NUMBER, &lfolder[0], &lfolder[1], &lfolder[2], &lfolder[3],
    &lfolder[4],      &lfolder[5],       &lfolder[6],  &lfolder[7], &lfolder[8], &lfolder[9], &afolder[0],
    &afolder[1],      &afolder[2],       &afolder[3],  &afolder[4], &afolder[5], &afolder[6], &afolder[7],
    &afolder[8],      &afolder[9],       &PROGRAM_INSTALL_PATH,     &AIG_VERSION, &DBASE_VERSION, &DESTINATION};

EditTextParameter* const kClosingTexts[] = {&BLOCK_CALLSIGN};

Parameter* const kWindowBound[] = {
    &AEROWINX,        &AFG_AUTOMATIC,  &COLLISION_USER_AIR, &COLLISION_USER_GND, &COLLISION_LIVE_PARKED_GND,
    &SUPPRESS_STUB,   &LOG,            &ALWAYS_ON_TOP,      &SCAN_LIVERIES,      &LIG_AUTOMATIC,
    &LIG_PRIORITIZE,  &SCAN_AIRPORTS,  &LIGHT_AIRCRAFT,     &HELICOPTERS,        &HIGH_PERF_AIRCRAFT,
    &NAV_LIGHTS_WHILE_PARKED, &AUTO_RANGE, &LEARN_SOFT,     &STRAIGHT_PBS_ONLY,  &PARK_SOFT,
    &PARK_FAKE,       &WEEK,           &INITIAL_LOAD_ONLY,  &GUID_CHANGES,       &MATCHING_DEPTH,
    &RANGE,           &MAX_FIT,        &AR_ABOVE_HEIGHT,    &MAX_PARK_SEL,       &MAX_LIVE_SEL,
    &AIRP_RANGE,      &AIRP_HEIGHT,    &parking_percentage, &MAX_FIT_FL,         &DESTINATION,
    &BLOCK_CALLSIGN,  &ALL_INSTALL_PATH};

}  // namespace

const ParameterLists& parameterLists() {
  static const ParameterLists lists{kPlainBools, kCheckBoxes, kPlainInts, kWindowInts, kTexts, kClosingTexts};
  return lists;
}

std::span<Parameter* const> windowBoundParameters() { return kWindowBound; }

TrafficRadius& trafficRadius() {
  static TrafficRadius radius;
  return radius;
}

void updateTrafficRadius() {
  RANGE.set(RANGE.value());
  const double nm = RANGE.value();
  trafficRadius().nm = nm;
  trafficRadius().meters = nm * kMetersPerNm;
}

}  // namespace tfx
