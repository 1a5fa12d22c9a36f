#!/usr/bin/env python3
"""Turns ADS-B state vectors into a feed recording for feedstandin.

Usage: adsb_to_recording.py INPUT.json.gz OUTPUT.rec

INPUT (gzip'd when its name ends in .gz) is a JSON array of state vectors, one object per report:
timestamp (unix ms), icao24 (hex text), callsign, latitude, longitude,
altitude (ft), groundspeed (kt), track (deg), vertical_rate (ft/min), onground.

Recording format (one line per datagram, '#' lines are comments):

    OFFSET_MS PORT DATAGRAM

OFFSET_MS is the time since the start of the replay in milliseconds, PORT the
feed port the datagram goes to (49005 traffic, 49004 weather; the stand-in can
send them elsewhere), DATAGRAM the text sent, running to the end of the line.

Traffic datagrams have 29 comma-separated fields:

     0 record tag "RTTFC"          15 data source ("replay")
     1 hexid: the 24-bit address   16 IATA callsign ("null")
       as a decimal number         17 source kind ("adsb_icao")
     2 latitude (deg)              18 geometric altitude (-1: none)
     3 longitude (deg)             19 indicated airspeed (-1: none)
     4 altitude (ft), 0 on ground  20 true airspeed (-1: none)
     5 vertical rate (ft/min)      21 Mach (-1: none)
     6 on-ground flag (1/0)        22 track rate (-1: none)
     7 track (deg), empty unknown  23 roll (-1: none)
     8 ground speed (kt)           24 magnetic heading (-1: none)
     9 callsign ("null": none)     25 true heading (-1: none)
    10 type                        26 geometric vertical rate (-1: none)
    11 registration ("null")       27 emergency ("none")
    12 origin ("null")             28 emitter category
    13 destination ("null")
    14 time of the report (unix seconds)

How the state vectors' faults are mapped:
- each flight's reports keep their spacing; flights of different days would
  otherwise stand in one another, so each flight (in file order) starts at
  the earliest multiple of 30 s at which it never comes closer than its and
  the other's half wingspans plus 20 m to a flight placed before it, at any
  height: their pressure altitudes, measured on different days, do not
  compare (the real sky never shows two aircraft in one place);
- a report whose time is not later than the aircraft's previous one
  (duplicated or backward time stamps, replayed copies of a trace) is left out;
- a report that claims the air at the very position of the aircraft's last
  report on the ground is left out: it is that report's stale position
  with a garbage altitude and air/ground state (an aircraft cannot take off
  without moving);
- on the ground the altitude is 0 whatever was measured;
- in the air a missing altitude takes the last one measured within 10 s, else
  the report is left out; a single altitude more than 1500 ft off the median of
  the aircraft's altitudes within 15 s either side (a spike) becomes that median;
- a missing ground speed, track or vertical rate keeps the aircraft's last
  value (as a live feed repeats stale values); with none yet the vertical
  rate is 0 and the track empty;
- on the ground the state vectors carry no surface speed, only none or the
  last speed measured in the air (up to 468 kt for a taxiing aircraft): the
  ground speed there, and in the air before any speed was measured, is
  measured from the positions, the distance covered since the aircraft's
  report 10 s earlier (or its previous report, when that is older) over the
  time between them, as a feed that decodes the surface movement reports it.
"""

import bisect
import gzip
import json
import math
import statistics
import sys
from collections import OrderedDict

TRAFFIC_PORT = 49005
SPIKE_FEET = 1500.0
SPIKE_WINDOW_MS = 15000
STALE_ALTITUDE_MS = 10000
GROUND_SPEED_WINDOW_MS = 10000
EARTH_RADIUS_M = 6371008.8
METRES_PER_SECOND_PER_KNOT = 1852.0 / 3600.0

# The state vectors carry no aircraft type. These are the types assumed for the
# replay (typical of each operator's fleet at the time); the category follows.
ASSUMED_TYPES = {
    "4b18b8": ("A320", "A3"),
    "0083c3": ("B738", "A3"),
    "4891b6": ("B738", "A3"),
    "4d20cd": ("CL35", "A2"),
    "4690e2": ("A320", "A3"),
    "4b17e5": ("A320", "A3"),
    "4b1614": ("BCS3", "A3"),
    "4b17fd": ("A320", "A3"),
    "c01074": ("A333", "A5"),
    "4b160e": ("A320", "A3"),
}
DEFAULT_TYPE = ("A320", "A3")
WINGSPAN_M = {"A320": 35.8, "B738": 35.8, "CL35": 21.0, "BCS3": 35.1, "A333": 60.3}

START_STEP_MS = 30000
CLEARANCE_MARGIN_M = 20.0
# Two flights are compared every this many milliseconds of their common time.
CLEARANCE_CHECK_MS = 2000

SOURCE_NOTE = (
    "# Source: OpenSky Network state vectors (The OpenSky Network, https://opensky-network.org):\n"
    "# flights on the ground at Zurich (LSZH), sample zurich_airport.json.gz of the Python library\n"
    "# traffic (https://github.com/xoolive/traffic, MIT licence). Aircraft types are assumed.\n"
)


def number(value):
    return value if isinstance(value, (int, float)) and not isinstance(value, bool) else None


def flights_of(records):
    """The records per aircraft in file order, later duplicates, backward times and frozen take-offs left out."""
    flights = OrderedDict()
    for record in records:
        if not isinstance(record, dict):
            continue
        icao = str(record.get("icao24") or "").strip().lower()
        stamp = number(record.get("timestamp"))
        lat, lon = number(record.get("latitude")), number(record.get("longitude"))
        if not icao or stamp is None or lat is None or lon is None:
            continue
        try:
            int(icao, 16)
        except ValueError:
            continue
        kept = flights.setdefault(icao, [])
        if kept and stamp <= kept[-1]["timestamp"]:
            continue
        if kept and record.get("onground") is False and kept[-1].get("onground") is True and \
                (lat, lon) == (kept[-1]["latitude"], kept[-1]["longitude"]):
            continue
        kept.append(dict(record, timestamp=stamp, latitude=lat, longitude=lon))
    return flights


def despiked_altitudes(flight):
    """The measured altitudes with single spikes replaced by their neighbourhood's median."""
    measured = [(r["timestamp"], number(r.get("altitude"))) for r in flight]
    result = []
    for stamp, altitude in measured:
        if altitude is None:
            result.append(None)
            continue
        around = [a for t, a in measured if a is not None and abs(t - stamp) <= SPIKE_WINDOW_MS]
        median = statistics.median(around)
        result.append(median if abs(altitude - median) > SPIKE_FEET else altitude)
    return result


def metres_between(a, b):
    lat1, lat2 = math.radians(a["latitude"]), math.radians(b["latitude"])
    dlat, dlon = lat2 - lat1, math.radians(b["longitude"] - a["longitude"])
    h = math.sin(dlat / 2) ** 2 + math.cos(lat1) * math.cos(lat2) * math.sin(dlon / 2) ** 2
    return 2 * EARTH_RADIUS_M * math.asin(math.sqrt(h))


def measured_knots(flight, index):
    """Knots covered from the report GROUND_SPEED_WINDOW_MS before (or the previous one, when older) to this one."""
    report = flight[index]
    earlier = index - 1
    while earlier > 0 and report["timestamp"] - flight[earlier - 1]["timestamp"] <= GROUND_SPEED_WINDOW_MS:
        earlier -= 1
    if earlier < 0:
        return 0.0
    seconds = (report["timestamp"] - flight[earlier]["timestamp"]) / 1000.0
    return metres_between(flight[earlier], report) / seconds / METRES_PER_SECOND_PER_KNOT


def fmt(value, digits):
    return f"{value:.{digits}f}"


def datagrams_of(icao, flight):
    aircraft_type, category = ASSUMED_TYPES.get(icao, DEFAULT_TYPE)
    start = flight[0]["timestamp"]
    altitudes = despiked_altitudes(flight)
    last_altitude = None
    last = {"groundspeed": None, "track": None, "vertical_rate": None}
    for index, (record, altitude) in enumerate(zip(flight, altitudes)):
        stamp = record["timestamp"]
        for key in last:
            value = number(record.get(key))
            if value is not None:
                last[key] = value
        if altitude is not None:
            last_altitude = (stamp, altitude)
        on_ground = record.get("onground") is True
        groundspeed = last["groundspeed"]
        if on_ground or groundspeed is None:
            groundspeed = measured_knots(flight, index)
        if on_ground:
            altitude = 0.0
        elif altitude is None:
            if last_altitude is None or stamp - last_altitude[0] > STALE_ALTITUDE_MS:
                continue
            altitude = last_altitude[1]
        callsign = str(record.get("callsign") or "").strip().replace(",", "") or "null"
        track = "" if last["track"] is None else fmt(last["track"], 1)
        fields = [
            "RTTFC", str(int(icao, 16)), fmt(record["latitude"], 7), fmt(record["longitude"], 7),
            fmt(altitude, 0), fmt(last["vertical_rate"] or 0.0, 0), "1" if on_ground else "0", track,
            fmt(groundspeed, 1), callsign, aircraft_type, "null", "null", "null",
            fmt(stamp / 1000.0, 2), "replay", "null", "adsb_icao", "-1", "-1", "-1", "-1", "-1", "-1", "-1", "-1",
            "-1", "none", category,
        ]
        yield stamp - start, ",".join(fields), (record["latitude"], record["longitude"])


def where_at(samples, offset):
    """(latitude, longitude) between the flight's two reports around offset; None outside its reports."""
    index = bisect.bisect_right(samples, offset, key=lambda sample: sample[0])
    if index == 0 or (index == len(samples) and offset > samples[-1][0]):
        return None
    if index == len(samples):
        return samples[-1][1]
    (t0, a), (t1, b) = samples[index - 1], samples[index]
    share = (offset - t0) / (t1 - t0)
    return tuple(x + (y - x) * share for x, y in zip(a, b))


def too_close(placed_flight, flight, start):
    """Whether flight, starting at start, comes within the clearance of placed_flight anywhere."""
    placed_start, placed_samples, placed_span = placed_flight
    samples, span = flight
    clearance = (placed_span + span) / 2 + CLEARANCE_MARGIN_M
    first = max(placed_start + placed_samples[0][0], start + samples[0][0])
    last = min(placed_start + placed_samples[-1][0], start + samples[-1][0])
    for moment in range(int(first), int(last) + 1, CLEARANCE_CHECK_MS):
        a, b = where_at(placed_samples, moment - placed_start), where_at(samples, moment - start)
        if metres_between({"latitude": a[0], "longitude": a[1]}, {"latitude": b[0], "longitude": b[1]}) < clearance:
            return True
    return False


def first_clear_start(placed, flight):
    start = 0
    while any(too_close(other, flight, start) for other in placed):
        start += START_STEP_MS
    return start


def main(arguments):
    if len(arguments) != 2:
        print(__doc__.splitlines()[2], file=sys.stderr)
        return 2
    source, target = arguments
    opener = gzip.open if source.endswith(".gz") else open
    with opener(source, "rt", encoding="utf-8") as stream:
        records = json.load(stream)
    lines = []
    placed = []
    for icao, flight in flights_of(records if isinstance(records, list) else []).items():
        datagrams = list(datagrams_of(icao, flight))
        if not datagrams:
            continue
        samples = [(offset, where) for offset, _, where in datagrams]
        span = WINGSPAN_M[ASSUMED_TYPES.get(icao, DEFAULT_TYPE)[0]]
        start = first_clear_start(placed, (samples, span))
        placed.append((start, samples, span))
        lines.extend((start + offset, datagram) for offset, datagram, _ in datagrams)
    lines.sort(key=lambda line: line[0])
    with open(target, "w", encoding="ascii", newline="\n") as out:
        out.write("# Feed recording for feedstandin, made by tools/feedstandin/adsb_to_recording.py\n")
        out.write(SOURCE_NOTE)
        out.write("# OFFSET_MS PORT DATAGRAM (format: docs/feedstandin.md)\n")
        for offset, datagram in lines:
            out.write(f"{offset:.0f} {TRAFFIC_PORT} {datagram}\n")
    print(f"{len(lines)} datagrams written to {target}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
