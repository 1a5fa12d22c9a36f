#!/usr/bin/env python3
"""Makes a stand file in the program's own format from a FlightGear groundnet,
optionally filled with the week of occupancies that FlightGear AI traffic
timetables give for the airport.

Usage: groundnet_to_stands.py GROUNDNET STAND_FILE --altitude FT [--name TEXT]
                              [--publisher TEXT] [--timetable FILE]...
Standard library only. A groundnet that cannot be read stops with exit code 1
and its reason; nothing is written then.
"""

import argparse
import datetime
import re
import sys
import xml.etree.ElementTree as ElementTree
from dataclasses import dataclass, field
from pathlib import Path
from xml.sax.saxutils import quoteattr

from generate_dbase import IATA_TO_ICAO

HERE = Path(__file__).resolve().parent
DBASE = HERE / "dbase.xml"

NM_PER_METRE = 1 / 1852
WIDER_ALLOWANCE_NM = 0.0009719222462203025  # 1.8 m
SMALL_SPAN_NM = 0.009611230689557531  # 17.8 m
SMALL_STEP_NM = 0.00755939524838013  # 14 m
LARGE_STEP_NM = 0.011339092872570195  # 21 m
QUALITY_SCALE = 0.00625

MINUTES_PER_DAY = 24 * 60
MINUTES_PER_WEEK = 7 * MINUTES_PER_DAY
HALF_HOURS_PER_DAY = 48

HEMISPHERE_FORM = re.compile(r"\s*([NSEW])\s*(\d+)\s+(\d+(?:\.\d*)?)\s*$", re.IGNORECASE)


class ConversionError(Exception):
    pass


@dataclass
class Stand:
    id: str
    lat: float
    lon: float
    heading: float
    radius_m: float
    cargo: bool
    ramp: bool
    heli: bool
    airlines: set
    options: list = field(default_factory=list)
    taken: set = field(default_factory=set)  # (day, half-hour) cells already occupied


@dataclass
class Visit:
    """One aircraft on the ground at the airport, from an arrival to its next departure."""
    registration: str
    airline: str
    actype: str
    half_span_nm: float
    cargo: bool
    arrival: str
    departure: str
    cells: list  # (day, half-hour) pairs, in time order


def coordinate(text, what):
    """Degrees from 'N44 52.825528' (hemisphere, degrees, decimal minutes) or decimal degrees."""
    if text is None:
        raise ConversionError(f"missing {what}")
    match = HEMISPHERE_FORM.match(text)
    if match:
        hemisphere, degrees, minutes = match.groups()
        value = int(degrees) + float(minutes) / 60
        return -value if hemisphere.upper() in "SW" else value
    try:
        return float(text)
    except ValueError:
        raise ConversionError(f"bad {what} '{text}'") from None


def number(text, what, default=None):
    if text is None or text.strip() == "":
        if default is None:
            raise ConversionError(f"missing {what}")
        return default
    try:
        value = float(text)
    except ValueError:
        raise ConversionError(f"bad {what} '{text}'") from None
    if value != value or value in (float("inf"), float("-inf")):
        raise ConversionError(f"bad {what} '{text}'")
    return value


def stand_id(name, number_text):
    # The number completes a name such as "R" + "02"; a name ending in a digit is complete already.
    if number_text and not (name and name[-1].isdigit()):
        return name + number_text
    return name


def read_groundnet(path):
    try:
        root = ElementTree.parse(path).getroot()
    except (OSError, ElementTree.ParseError) as error:
        raise ConversionError(f"{path}: {error}") from None
    parkings = root.findall("./parkingList/Parking")
    if not parkings:
        raise ConversionError(f"{path}: no <parkingList> with <Parking> elements")
    stands = []
    seen = {}
    for position, parking in enumerate(parkings, start=1):
        try:
            name = parking.get("name", "").strip()
            base = stand_id(name, parking.get("number", "").strip())
            seen[base] = seen.get(base, 0) + 1
            kind = parking.get("type", "").lower()
            codes = {code.strip() for code in parking.get("airlineCodes", "").split(",") if code.strip()}
            stands.append(Stand(
                id=base if seen[base] == 1 else f"{base}_{seen[base]}",
                lat=coordinate(parking.get("lat"), "lat"),
                lon=coordinate(parking.get("lon"), "lon"),
                heading=number(parking.get("heading"), "heading", 0.0),
                radius_m=number(parking.get("radius"), "radius"),
                cargo="cargo" in kind,
                ramp=kind == "ga",
                heli="heli" in name.lower(),
                airlines=codes))
        except ConversionError as error:
            raise ConversionError(f"{path}: Parking {position} ('{parking.get('name', '')}'): {error}") from None
    return stands


def read_dbase_types(path):
    """Known ICAO types and their half wingspans in nautical miles from the shipped database."""
    # The database has several top-level sections; one wrapping element makes it a document.
    text = path.read_text(encoding="utf-8").split("?>", 1)[-1]
    root = ElementTree.fromstring(f"<dbase_file>{text}</dbase_file>")
    known = set()
    for element in root.iter("aircraft"):
        known.update(code for code in element.get("types", "").split(",") if code)
    spans = {element.get("type"): float(element.get("meters")) / 2 * NM_PER_METRE for element in root.iter("wingspan")}
    return known, spans


def week_minute(text, repeat):
    """Minutes since Monday 00:00 UTC, or None for a time that does not parse."""
    day_text, _, clock = text.strip().rpartition("/")
    try:
        hours, minutes, seconds = (int(part) for part in clock.split(":"))
        # The timetables count their days from 0 = Sunday; the program's week runs Monday 1 .. Sunday 7.
        day = (int(day_text) + 6) % 7 if repeat == "WEEK" else 0
    except ValueError:
        return None
    return day * MINUTES_PER_DAY + hours * 60 + minutes + (1 if seconds >= 30 else 0)


def occurrences(flight, which):
    """The week minutes at which a flight's departure or arrival happens."""
    repeat = (flight.findtext("repeat") or "").strip()
    minute = week_minute(flight.findtext(f"{which}/time") or "", repeat)
    if minute is None:
        return []
    if repeat == "WEEK":
        return [minute]
    if repeat == "24Hr":
        return [minute + day * MINUTES_PER_DAY for day in range(7)]
    return []


def cells(start, end):
    """(day 1..7, half-hour) cells from one week minute to a later one (end may pass the week's end)."""
    # A half-hour begins 30 seconds before its minute 0 or 30, as the program's clock counts it.
    first, last = (start + 0.5) // 30, (end + 0.5) // 30
    slots = range(int(first), int(last) + 1)
    return [(((slot // HALF_HOURS_PER_DAY) % 7) + 1, slot % HALF_HOURS_PER_DAY) for slot in slots]


def read_visits(paths, airport, known_types, spans, report):
    visits = []
    for path in paths:
        try:
            root = ElementTree.parse(path).getroot()
        except (OSError, ElementTree.ParseError) as error:
            raise ConversionError(f"{path}: {error}") from None
        fleets = {}
        for aircraft in root.iter("aircraft"):
            actype = (aircraft.findtext("actype") or "").strip().upper()
            icao = IATA_TO_ICAO.get(actype) or (actype if actype in known_types else None)
            if icao is None:
                continue
            radius = number(aircraft.findtext("radius"), "radius", 0.0)
            fleets.setdefault((aircraft.findtext("required-aircraft") or "").strip(), []).append({
                "registration": (aircraft.findtext("registration") or "").strip(),
                "airline": (aircraft.findtext("airline") or "").strip(),
                "type": icao,
                "half_span_nm": spans.get(icao, radius * NM_PER_METRE),
                "cargo": (aircraft.findtext("flighttype") or "").strip().lower() == "cargo",
            })
        arrivals, departures = {}, {}
        for flight in root.iter("flight"):
            fleet = (flight.findtext("required-aircraft") or "").strip()
            callsign = (flight.findtext("callsign") or "").strip()
            if (flight.findtext("arrival/port") or "").strip() == airport:
                arrivals.setdefault(fleet, []).extend((m, callsign) for m in occurrences(flight, "arrival"))
            if (flight.findtext("departure/port") or "").strip() == airport:
                departures.setdefault(fleet, []).extend((m, callsign) for m in occurrences(flight, "departure"))
        for fleet, members in fleets.items():
            visits += fleet_visits(members, sorted(arrivals.get(fleet, [])), sorted(departures.get(fleet, [])))
        report(f"{path}: {sum(len(v) for v in arrivals.values())} arrivals at {airport}")
    return visits


def fleet_visits(members, arrivals, departures):
    """Each arrival paired with the first departure after it (round the week's end), the pairs
    given in turn to the fleet's aircraft that are not on the ground at the time."""
    if not departures:
        return []
    unrolled = departures + [(m + MINUTES_PER_WEEK, callsign) for m, callsign in departures]
    used = set()
    busy = {index: [] for index in range(len(members))}
    visits = []
    for arrival, arrival_callsign in arrivals:
        choice = next((i for i, (m, _) in enumerate(unrolled) if m > arrival and i % len(departures) not in used), None)
        if choice is None:
            break
        used.add(choice % len(departures))
        departure, departure_callsign = unrolled[choice]
        member = next((index for index, spans in busy.items()
                       if all(departure <= start or arrival >= end for start, end in spans)), None)
        if member is None:
            continue
        busy[member].append((arrival, departure))
        aircraft = members[member]
        visits.append(Visit(aircraft["registration"], aircraft["airline"], aircraft["type"], aircraft["half_span_nm"],
                            aircraft["cargo"], arrival_callsign, departure_callsign, cells(arrival, departure)))
    return visits


def fits(stand, half_span_nm):
    radius = stand.radius_m * NM_PER_METRE
    step = SMALL_STEP_NM if half_span_nm <= SMALL_SPAN_NM else LARGE_STEP_NM
    return half_span_nm - radius <= WIDER_ALLOWANCE_NM and round((radius - half_span_nm) / step) == 0


def place(visits, stands):
    """Puts every visit on the first free fitting stand: stands naming the airline before open ones."""
    placed = 0
    for visit in visits:
        candidates = [s for s in stands if s.cargo == visit.cargo and not s.heli and fits(s, visit.half_span_nm)
                      and (not s.airlines or visit.airline in s.airlines)]
        candidates.sort(key=lambda s: 0 if s.airlines else 1)
        stand = next((s for s in candidates if not s.taken.intersection(visit.cells)), None)
        if stand is None:
            continue
        stand.taken.update(visit.cells)
        placed += 1
        by_day = {}
        for day, half_hour in visit.cells:
            by_day.setdefault(day, set()).add(half_hour)
        for day, half_hours in by_day.items():
            same = next((o for o in stand.options if o["reg"] == visit.registration and o["day"] == day), None)
            if same:
                same["hh"] |= half_hours
            else:
                stand.options.append({"reg": visit.registration, "airl": visit.airline, "type": visit.actype,
                                      "day": day, "hh": half_hours, "cs": f"{visit.arrival}:{visit.departure}"})
    return placed


def quality(stands):
    """The (real, soft) quality factors as the program computes them; every option here is real."""
    if not any(stand.options for stand in stands):
        return -1, -1
    total = 0.0
    for stand in stands:
        if stand.options:
            days = {option["day"] for option in stand.options}
            half_hours = sum(len(option["hh"]) for option in stand.options)
            total += min(20 * len(stand.options), 4000) + 10000 + 100 * len(days) + 2 * min(half_hours, 600)
    return round(total / len(stands) * QUALITY_SCALE), 0


def stand_file(stands, name, publisher, altitude, qualities):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- Stands from a FlightGear groundnet (GPL-2.0-or-later), converted by groundnet_to_stands.py -->",
             "<meta>",
             '  <info name="author" value="FlightGear contributors"/>',
             f'  <info name="date" value="{datetime.date.today().isoformat()}"/>',
             '  <info name="version" value="1"/>',
             "</meta>",
             "<parameters>"]
    parameters = [("airport_name", name), ("publisher", publisher), ("altitude", str(altitude)),
                  ("num_parkpos", str(len(stands)))]
    if qualities != (-1, -1):
        parameters += [("Qf_real", str(qualities[0])), ("Qf_soft", str(qualities[1]))]
    lines += [f"  <parameter name={quoteattr(key)} value={quoteattr(value)}/>" for key, value in parameters]
    lines += ["</parameters>", "<parkpositions>"]
    for stand in stands:
        kind = 'heli="true"' if stand.heli else f'cargo="{"true" if stand.cargo else "false"}"'
        head = (f"  <parkpos id={quoteattr(stand.id)} latitude=\"{stand.lat:.6f}\" longitude=\"{stand.lon:.6f}\""
                f" heading=\"{stand.heading:.1f}\" radius=\"{stand.radius_m:.1f}\" {kind}"
                f" ramp=\"{'true' if stand.ramp else 'false'}\"")
        if not stand.options:
            lines.append(head + "/>")
            continue
        lines.append(head + ">")
        for option in sorted(stand.options, key=lambda o: (o["day"], min(o["hh"]))):
            hours = ",".join(str(h) for h in sorted(option["hh"]))
            lines.append(f"    <opt reg={quoteattr(option['reg'])} airl={quoteattr(option['airl'])}"
                         f" type={quoteattr(option['type'])} day=\"{option['day']}\" hh=\"{hours}\""
                         f" cs={quoteattr(option['cs'])}/>")
        lines.append("  </parkpos>")
    lines += ["</parkpositions>", ""]
    return "\n".join(lines)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("groundnet", type=Path)
    parser.add_argument("stand_file", type=Path)
    parser.add_argument("--altitude", type=int, required=True, help="the airport's elevation in feet")
    parser.add_argument("--name", help="the airport's name (default: the code from the groundnet's file name)")
    parser.add_argument("--publisher", default="FlightGear")
    parser.add_argument("--timetable", type=Path, action="append", default=[],
                        help="a FlightGear AI traffic file whose week at the airport becomes the stands' use")
    args = parser.parse_args(argv)
    code = args.groundnet.name.split(".")[0].upper()

    def report(text):
        print(text, file=sys.stderr)

    try:
        stands = read_groundnet(args.groundnet)
        qualities = (-1, -1)
        if args.timetable:
            known_types, spans = read_dbase_types(DBASE)
            visits = read_visits(args.timetable, code, known_types, spans, report)
            placed = place(visits, stands)
            report(f"{placed} of {len(visits)} stays on the ground placed on stands")
            qualities = quality(stands)
    except ConversionError as error:
        report(str(error))
        return 1
    text = stand_file(stands, args.name or code, args.publisher, args.altitude, qualities)
    args.stand_file.parent.mkdir(parents=True, exist_ok=True)
    partial = args.stand_file.with_name(args.stand_file.name + ".tmp")
    partial.write_text(text, encoding="utf-8")
    partial.replace(args.stand_file)
    print(f"{len(stands)} stands written to {args.stand_file}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
