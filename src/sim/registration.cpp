#include "sim/registration.h"

#include "sim/sim_ids.h"

namespace tfx::sim {
namespace {

using simconnect::DataType;

struct DatumSpec {
  uint32_t definition;
  std::string_view name;
  std::string_view units;
  DataType type;
};

constexpr DatumSpec kDatums[] = {
    {kDefAiControls, "SPOILERS HANDLE POSITION", "percent", DataType::Float64},
    {kDefAiControls, "GENERAL ENG THROTTLE LEVER POSITION:1", "percent", DataType::Float64},
    {kDefAiControls, "GENERAL ENG THROTTLE LEVER POSITION:2", "percent", DataType::Float64},

    {kDefPositionBlock, "Plane Latitude", "degree", DataType::Float64},
    {kDefPositionBlock, "Plane Longitude", "degree", DataType::Float64},
    {kDefPositionBlock, "Plane Pitch degrees", "radians", DataType::Float64},
    {kDefPositionBlock, "Plane Bank degrees", "radians", DataType::Float64},
    {kDefPositionBlock, "Plane Heading degrees true", "radians", DataType::Float64},
    {kDefPositionBlock, "Plane Altitude", "feet", DataType::Float64},
    {kDefPositionBlock, "Vertical Speed", "feet per second", DataType::Float64},
    {kDefPositionBlock, "Airspeed True", "knots", DataType::Float64},

    {kDefUserState, "Plane Latitude", "degree", DataType::Float64},
    {kDefUserState, "Plane Longitude", "degree", DataType::Float64},
    {kDefUserState, "Plane Pitch degrees", "radians", DataType::Float64},
    {kDefUserState, "Plane Bank degrees", "radians", DataType::Float64},
    {kDefUserState, "Plane Heading degrees true", "radians", DataType::Float64},
    {kDefUserState, "Plane Altitude", "feet", DataType::Float64},
    {kDefUserState, "Plane Alt Above Ground", "feet", DataType::Float64},
    {kDefUserState, "Ground Velocity", "knots", DataType::Float64},
    {kDefUserState, "ZULU TIME", "Seconds", DataType::Int64},
    {kDefUserState, "ZULU DAY OF YEAR", "Number", DataType::Int64},
    {kDefUserState, "ZULU YEAR", "Number", DataType::Int64},
    {kDefUserState, "LIGHT STATES", "Mask", DataType::Int64},

    {kDefAircraftAround, "Plane Alt Above Ground", "feet", DataType::Float64},
    {kDefAircraftAround, "Ground Altitude", "feet", DataType::Float64},
    {kDefAircraftAround, "SIM ON GROUND", "Bool", DataType::Int64},
    {kDefAircraftAround, "ATC ID", "", DataType::String32},

    {kDefObjectShape, "Static CG to Ground", "feet", DataType::Float64},
    {kDefObjectShape, "Static Pitch", "radians", DataType::Float64},

    {kDefLights, "Light On States", "Mask", DataType::Int64},
    {kDefUserTitle, "TITLE", "", DataType::StringV},
    {kDefUserModel, "ATC MODEL", "", DataType::String32},
    {kDefUserOnGround, "SIM ON GROUND", "Bool", DataType::Int64},
};

constexpr std::pair<uint32_t, std::string_view> kSystemEvents[] = {
    {kEvSim, "Sim"},     {kEvObjectAdded, "ObjectAdded"},         {kEvObjectRemoved, "ObjectRemoved"},
    {kEvFrame, "Frame"}, {kEvPositionChanged, "PositionChanged"}, {kEvFlightLoaded, "FlightLoaded"},
};

constexpr std::pair<uint32_t, std::string_view> kClientEvents[] = {
    {kEvBeaconLights, "BEACON_LIGHTS_SET"},
    {kEvNavLights, "NAV_LIGHTS_SET"},
    {kEvTaxiLights, "TAXI_LIGHTS_SET"},
    {kEvStrobes, "STROBES_SET"},
    {kEvLandingLights, "LANDING_LIGHTS_SET"},
    {kEvCabinLights, "CABIN_LIGHTS_SET"},
    {kEvLogoLights, "LOGO_LIGHTS_SET"},
    {kEvAllLightsToggle, "ALL_LIGHTS_TOGGLE"},
    {kEvFreezeLatLon, "FREEZE_LATITUDE_LONGITUDE_SET"},
    {kEvFreezeAltitude, "FREEZE_ALTITUDE_SET"},
    {kEvFreezeAttitude, "FREEZE_ATTITUDE_SET"},
    {kEvFlaps, "FLAPS_SET"},
    {kEvSpoilers, "SPOILERS_SET"},
    {kEvGear, "GEAR_SET"},
    {kEvEngineAutoStart, "ENGINE_AUTO_START"},
    {kEvEngineAutoShutdown, "ENGINE_AUTO_SHUTDOWN"},
    {kEvThrottle, "THROTTLE_SET"},
};

// Every client event but ENGINE_AUTO_START joins the group, in this order.
constexpr uint32_t kGroupOrder[] = {
    kEvNavLights,   kEvBeaconLights,    kEvLandingLights,  kEvTaxiLights,     kEvStrobes, kEvLogoLights,
    kEvCabinLights, kEvAllLightsToggle, kEvFlaps,          kEvSpoilers,       kEvGear,    kEvEngineAutoShutdown,
    kEvThrottle,    kEvFreezeLatLon,    kEvFreezeAltitude, kEvFreezeAttitude,
};

}  // namespace

void registerSession(SimConnectOps& ops) {
  for (const DatumSpec& datum : kDatums) ops.addToDataDefinition(datum.definition, datum.name, datum.units, datum.type);
  for (const auto& [id, name] : kSystemEvents) ops.subscribeToSystemEvent(id, name);
  for (const auto& [id, name] : kClientEvents) ops.mapClientEventToSimEvent(id, name);
  for (uint32_t id : kGroupOrder) ops.addClientEventToNotificationGroup(kEventGroup, id);
  ops.setNotificationGroupPriority(kEventGroup, kEventGroupPriority);
}

}  // namespace tfx::sim
