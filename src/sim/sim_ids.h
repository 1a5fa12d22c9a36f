#pragma once
// The numbers this program gives the simulator: data definitions, requests,
// client and system events and the one notification group.
#include <cstdint>
#include <string_view>

namespace tfx::sim {

// Data definitions.
inline constexpr uint32_t kDefAiControls = 401;
inline constexpr uint32_t kDefPositionBlock = 402;
inline constexpr uint32_t kDefUserState = 403;
inline constexpr uint32_t kDefAircraftAround = 404;
inline constexpr uint32_t kDefObjectShape = 405;
inline constexpr uint32_t kDefLights = 406;
inline constexpr uint32_t kDefUserTitle = 407;
inline constexpr uint32_t kDefUserModel = 408;
inline constexpr uint32_t kDefUserOnGround = 409;

// Requests.
inline constexpr uint32_t kReqAircraftAround = 101;
inline constexpr uint32_t kReqObjectShape = 102;
inline constexpr uint32_t kReqReleaseControl = 103;
inline constexpr uint32_t kReqCreateAircraft = 104;
inline constexpr uint32_t kReqRemoveObject = 105;
inline constexpr uint32_t kReqUserTitle = 106;
inline constexpr uint32_t kReqUserModel = 107;
inline constexpr uint32_t kReqUserOnGround = 108;
inline constexpr uint32_t kReqUserState = 109;
inline constexpr uint32_t kReqFlightPlan = 110;

// System events.
inline constexpr uint32_t kEvSim = 201;
inline constexpr uint32_t kEvObjectAdded = 202;
inline constexpr uint32_t kEvObjectRemoved = 203;
inline constexpr uint32_t kEvFrame = 204;
inline constexpr uint32_t kEvPositionChanged = 205;
inline constexpr uint32_t kEvFlightLoaded = 206;

// Client events.
inline constexpr uint32_t kEvBeaconLights = 207;
inline constexpr uint32_t kEvNavLights = 208;
inline constexpr uint32_t kEvTaxiLights = 209;
inline constexpr uint32_t kEvStrobes = 210;
inline constexpr uint32_t kEvLandingLights = 211;
inline constexpr uint32_t kEvCabinLights = 212;
inline constexpr uint32_t kEvLogoLights = 213;
inline constexpr uint32_t kEvAllLightsToggle = 214;
inline constexpr uint32_t kEvFreezeLatLon = 215;
inline constexpr uint32_t kEvFreezeAltitude = 216;
inline constexpr uint32_t kEvFreezeAttitude = 217;
inline constexpr uint32_t kEvFlaps = 218;
inline constexpr uint32_t kEvSpoilers = 219;
inline constexpr uint32_t kEvGear = 220;
inline constexpr uint32_t kEvEngineAutoStart = 221;
inline constexpr uint32_t kEvEngineAutoShutdown = 222;
inline constexpr uint32_t kEvThrottle = 223;

// Every client event is sent with this group, at the highest priority.
inline constexpr uint32_t kEventGroup = 301;
inline constexpr uint32_t kEventGroupPriority = 1;

// The user aircraft's object id until the first user-state reply names it.
inline constexpr uint32_t kInitialUserObjectId = 2;

// The other exchange lists are reserved to this many entries at session start.
inline constexpr size_t kExchangeReserve = 256;
// The position buffers and the event list carry an entry per AI object each
// pass; with room for a thousand objects a busy apron never grows them.
inline constexpr size_t kPerObjectExchangeReserve = 1024;

}  // namespace tfx::sim
