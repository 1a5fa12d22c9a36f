#include "traffic/track_point.h"

namespace tfx {

TrackPoint trackPointOf(const TrafficReport& report) {
  TrackPoint point;
  point.lat = report.lat;
  point.lon = report.lon;
  point.altitude = report.altitude;
  point.groundSpeed = report.groundSpeed;
  point.track = report.track;
  point.verticalSpeed = report.verticalSpeed;
  point.tas = report.tas;
  point.stamp = report.stamp;
  point.airborne = report.airborne;
  point.hasRoll = report.hasRoll;
  point.roll = report.roll;
  point.hasTrueHeading = report.hasTrueHeading;
  point.trueHeading = report.trueHeading;
  return point;
}

}  // namespace tfx
