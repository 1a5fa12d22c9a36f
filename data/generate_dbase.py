#!/usr/bin/env python3
"""Builds the shipped aircraft database (dbase.xml) and the starting AIG
registration list (AIG-regcodes.xml) from public data.

Sources, all read where they lie (never copied into the project):
  aircraft-types/faa-acd-2023-09-07.csv   FAA aircraft characteristics (public domain)
  airlines/openflights-airlines.dat       OpenFlights airlines (ODbL 1.0)
  fg-ai-timetables/*.xml                  FlightGear AI traffic (GPL-2+)
plus any further FlightGear traffic folders given with --timetables (the whole
AI/Traffic tree of Debian's flightgear-data-ai package gives thousands of
registrations). Everything else (categories of types the FAA sheet lacks,
their wingspans, cargo operators, families, publishers, fixes) is compiled
here from public reference facts.

Usage: generate_dbase.py [--shared-data DIR] [--timetables DIR ...] [--output-dir DIR]
Standard library only.
"""

import argparse
import csv
import re
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path
from xml.sax.saxutils import quoteattr

HERE = Path(__file__).resolve().parent
FEET_TO_METRES = 0.3048

# Military combat and training jets: the program's "high performance" class.
MILITARY_JETS = {"A10", "CL41", "F15", "F16", "F18H", "F18S", "F22", "HAWK", "T38"}

BUSINESS_JETS = {
    "ASTR", "BE40", "C25A", "C25B", "C25C", "C25M", "C500", "C501", "C510", "C525", "C526", "C550", "C551",
    "C55B", "C560", "C56X", "C650", "C680", "C68A", "C700", "C750", "CL30", "CL35", "CL60", "E35L", "E50P",
    "E545", "E550", "E55P", "EA50", "F2TH", "F900", "FA10", "FA20", "FA50", "FA7X", "FA8X", "G150", "G280",
    "GA5C", "GA6C", "GALX", "GL5T", "GL7T", "GLEX", "GLF2", "GLF3", "GLF4", "GLF5", "GLF6", "H25A", "H25B",
    "H25C", "HA4T", "HDJT", "L29B", "LJ23", "LJ24", "LJ25", "LJ31", "LJ35", "LJ40", "LJ45", "LJ55", "LJ60",
    "LJ70", "LJ75", "MU30", "PC24", "PRM1", "SBR1", "SBR2", "SF50", "WW24",
}

HEAVY, LARGE, BUZJET, LIGHT, HIGHPERF, ROTORCRAFT = "heavy", "large", "buzjet", "light", "highperf", "rotorcraft"

# Common types the FAA sheet lacks: (ICAO code, name, span in metres - rotor
# diameter for helicopters -, class).
EXTRA_TYPES = [
    ("A225", "Antonov An-225 Mriya", 88.40, HEAVY),
    ("A3ST", "Airbus A300-600ST Beluga", 44.84, HEAVY),
    ("B1", "Rockwell B-1B Lancer", 41.67, HEAVY),
    ("C5M", "Lockheed C-5M Super Galaxy", 67.89, HEAVY),
    ("CONC", "Aerospatiale/BAC Concorde", 25.60, HEAVY),
    ("DC85", "Douglas DC-8-50", 43.41, HEAVY),
    ("DC86", "Douglas DC-8-60", 45.23, HEAVY),
    ("IL62", "Ilyushin Il-62", 43.20, HEAVY),
    ("IL96", "Ilyushin Il-96", 57.66, HEAVY),
    ("L101", "Lockheed L-1011 TriStar", 47.35, HEAVY),
    ("AJ27", "COMAC ARJ21", 27.29, LARGE),
    ("AN24", "Antonov An-24", 29.20, LARGE),
    ("AN26", "Antonov An-26", 29.20, LARGE),
    ("B3XM", "Boeing 737 MAX 10", 35.92, LARGE),
    ("B463", "BAe 146-300", 26.21, LARGE),
    ("C919", "COMAC C919", 35.80, LARGE),
    ("CRJX", "Bombardier CRJ-1000", 26.18, LARGE),
    ("F100", "Fokker 100", 28.08, LARGE),
    ("F28", "Fokker F28 Fellowship", 25.07, LARGE),
    ("F50", "Fokker 50", 29.00, LARGE),
    ("F70", "Fokker 70", 28.08, LARGE),
    ("RJ70", "Avro RJ70", 26.21, LARGE),
    ("T134", "Tupolev Tu-134", 29.01, LARGE),
    ("T154", "Tupolev Tu-154", 37.55, LARGE),
    ("T204", "Tupolev Tu-204", 41.80, LARGE),
    ("YK42", "Yakovlev Yak-42", 34.88, LARGE),
    ("FA6X", "Dassault Falcon 6X", 25.91, BUZJET),
    ("GA7C", "Gulfstream G700", 31.39, BUZJET),
    ("GL6T", "Bombardier Global 6000", 28.65, BUZJET),
    ("BN2P", "Britten-Norman BN-2 Islander", 14.94, LIGHT),
    ("DA62", "Diamond DA62", 14.55, LIGHT),
    ("DR40", "Robin DR400", 8.72, LIGHT),
    ("J3", "Piper J-3 Cub", 10.74, LIGHT),
    ("A4", "Douglas A-4 Skyhawk", 8.38, HIGHPERF),
    ("EUFI", "Eurofighter Typhoon", 10.95, HIGHPERF),
    ("F117", "Lockheed F-117 Nighthawk", 13.20, HIGHPERF),
    ("F14", "Grumman F-14 Tomcat", 19.55, HIGHPERF),
    ("F35", "Lockheed Martin F-35 Lightning II", 10.70, HIGHPERF),
    ("F4", "McDonnell Douglas F-4 Phantom II", 11.70, HIGHPERF),
    ("F5", "Northrop F-5", 8.13, HIGHPERF),
    ("L39", "Aero L-39 Albatros", 9.46, HIGHPERF),
    ("M346", "Leonardo M-346 Master", 9.72, HIGHPERF),
    ("MG29", "Mikoyan MiG-29", 11.36, HIGHPERF),
    ("MIR2", "Dassault Mirage 2000", 9.13, HIGHPERF),
    ("RFAL", "Dassault Rafale", 10.90, HIGHPERF),
    ("SU27", "Sukhoi Su-27", 14.70, HIGHPERF),
    ("TOR", "Panavia Tornado", 13.91, HIGHPERF),
    ("A109", "Leonardo AW109", 10.83, ROTORCRAFT),
    ("A139", "Leonardo AW139", 13.80, ROTORCRAFT),
    ("A169", "Leonardo AW169", 12.12, ROTORCRAFT),
    ("A189", "Leonardo AW189", 14.60, ROTORCRAFT),
    ("AS32", "Airbus Helicopters AS332 Super Puma", 15.60, ROTORCRAFT),
    ("AS50", "Airbus Helicopters AS350 Ecureuil", 10.69, ROTORCRAFT),
    ("AS65", "Airbus Helicopters AS365 Dauphin", 11.94, ROTORCRAFT),
    ("B06", "Bell 206 JetRanger", 10.16, ROTORCRAFT),
    ("B407", "Bell 407", 10.67, ROTORCRAFT),
    ("B412", "Bell 412", 14.02, ROTORCRAFT),
    ("B429", "Bell 429", 10.98, ROTORCRAFT),
    ("EC25", "Airbus Helicopters EC225", 16.20, ROTORCRAFT),
    ("EC30", "Airbus Helicopters EC130", 10.69, ROTORCRAFT),
    ("EC35", "Airbus Helicopters EC135", 10.20, ROTORCRAFT),
    ("EC45", "Airbus Helicopters EC145", 11.00, ROTORCRAFT),
    ("H47", "Boeing CH-47 Chinook", 18.29, ROTORCRAFT),
    ("H60", "Sikorsky UH-60 Black Hawk", 16.36, ROTORCRAFT),
    ("MI8", "Mil Mi-8", 21.29, ROTORCRAFT),
    ("R22", "Robinson R22", 7.67, ROTORCRAFT),
    ("R44", "Robinson R44", 10.06, ROTORCRAFT),
    ("S76", "Sikorsky S-76", 13.41, ROTORCRAFT),
    ("S92", "Sikorsky S-92", 17.17, ROTORCRAFT),
]

# IATA type codes (and a few free-text type names) of the timetables to ICAO designators.
IATA_TO_ICAO = {
    "100": "F100", "142": "B462", "221": "BCS1", "223": "BCS3", "310": "A310", "313": "A310", "318": "A318",
    "319": "A319", "31N": "A19N", "320": "A320", "321": "A321", "32N": "A20N", "20N": "A20N", "32Q": "A21N",
    "332": "A332", "333": "A333", "339": "A339", "33X": "A332", "33Y": "A333", "343": "A343", "345": "A345",
    "346": "A346", "359": "A359", "351": "A35K", "380": "A388", "388": "A388", "AB6": "A306", "ABY": "A306",
    "ABF": "A30B", "717": "B712", "733": "B733", "734": "B734", "735": "B735", "736": "B736", "737": "B737",
    "73G": "B737", "738": "B738", "73H": "B738", "739": "B739", "73F": "B733", "73P": "B734", "73Y": "B733",
    "7M8": "B38M", "7M9": "B39M", "744": "B744", "74Y": "B744", "74F": "B744", "74H": "B748", "74N": "B748",
    "752": "B752", "753": "B753", "757": "B752", "75F": "B752", "762": "B762", "76X": "B762", "763": "B763",
    "767": "B763", "76Y": "B763", "764": "B764", "772": "B772", "773": "B773", "77L": "B77L", "77F": "B77L",
    "77W": "B77W", "788": "B788", "789": "B789", "78X": "B78X", "AT4": "AT43", "AT5": "AT45", "AT7": "AT72",
    "CR1": "CRJ1", "CR2": "CRJ2", "CR7": "CRJ7", "CR9": "CRJ9", "CRK": "CRJX", "CS1": "BCS1", "CS3": "BCS3",
    "DH1": "DH8A", "DH2": "DH8B", "DH3": "DH8C", "DH4": "DH8D", "DHT": "DHC6", "E70": "E170", "E75": "E75L",
    "E90": "E190", "E95": "E195", "ER3": "E135", "ERD": "E135", "ER4": "E145", "ERJ": "E145", "ERJ145": "E145",
    "F70": "F70", "J32": "JS32", "J41": "JS41", "M1F": "MD11", "SF3": "SF34", "SU9": "SU95", "BNI": "BN2P",
    "737-800": "B738", "737-900": "B739", "767-383ER": "B763", "A320-200": "A320", "A320-214": "A320",
    "320-214": "A320", "320-232": "A320", "320-233": "A320", "A330-243": "A332", "A330-341": "A333",
    "AIRBUS_A321": "A321", "300B2-203": "A30B", "300B4-2C": "A30B", "300-605R": "A306", "B1900D": "B190",
    "BEECH200": "BE20", "C182RG": "C82R", "CITATIONBRAVO": "C55B", "CUB": "J3", "PA28": "P28A",
}

# IATA codes of freighter versions: their registrations are cargo aircraft.
FREIGHTER_CODES = {"33X", "33Y", "73F", "73P", "73Y", "74F", "74N", "74Y", "75F", "76X", "76Y", "77F", "ABF",
                   "ABY", "M1F"}

CARGO_TYPES = ["A124", "A225", "A306", "A30B", "A3ST", "AN12", "B742", "B744", "B748", "B752", "B762", "B763",
               "B77L", "BLCF", "C130", "DC10", "DC87", "IL76", "MD11"]

# Airlines that fly freight only, with their names (OpenFlights keeps several as defunct).
CARGO_OPERATORS = {
    "ABW": "AirBridgeCargo Airlines", "ABX": "ABX Air", "AHK": "Air Hong Kong", "ATN": "Air Transport International",
    "BCS": "European Air Transport Leipzig", "BOX": "AeroLogic", "CAO": "Air China Cargo",
    "CKK": "China Cargo Airlines", "CKS": "Kalitta Air", "CLX": "Cargolux", "DHK": "DHL Air",
    "DHX": "DHL International Aviation ME", "FDX": "Federal Express", "GEC": "Lufthansa Cargo", "GTI": "Atlas Air",
    "ICV": "Cargolux Italia", "LCO": "LATAM Cargo Chile", "MPH": "Martinair Cargo", "NCA": "Nippon Cargo Airlines",
    "NPT": "West Atlantic UK", "PAC": "Polar Air Cargo", "SOO": "Southern Air", "SQC": "Singapore Airlines Cargo",
    "SWN": "West Atlantic Sweden", "TAY": "ASL Airlines Belgium", "UPS": "United Parcel Service",
    "WGN": "Western Global Airlines",
}

SIMILAR_TYPES = [
    ["A318", "A319", "A320", "A321", "A19N", "A20N", "A21N"],
    ["A306", "A30B", "A310"],
    ["A332", "A333", "A338", "A339"],
    ["A342", "A343", "A345", "A346"],
    ["A359", "A35K"],
    ["AT43", "AT44", "AT45", "AT46"],
    ["AT72", "AT73", "AT75", "AT76"],
    ["B461", "B462", "B463", "RJ1H", "RJ70", "RJ85"],
    ["B712", "DC93", "DC95"],
    ["B732", "B733", "B734", "B735"],
    ["B736", "B737", "B738", "B739"],
    ["B37M", "B38M", "B39M", "B3XM"],
    ["B741", "B742", "B743", "B744", "B748"],
    ["B752", "B753"],
    ["B762", "B763", "B764"],
    ["B772", "B773", "B77L", "B77W"],
    ["B778", "B779"],
    ["B788", "B789", "B78X"],
    ["BCS1", "BCS3"],
    ["CRJ1", "CRJ2"],
    ["CRJ7", "CRJ9", "CRJX"],
    ["DC10", "MD11"],
    ["DH8A", "DH8B", "DH8C", "DH8D"],
    ["E135", "E145", "E45X"],
    ["E170", "E75L", "E75S", "E190", "E195"],
    ["E290", "E295"],
    ["F100", "F70"],
    ["MD81", "MD82", "MD83", "MD87", "MD88", "MD90"],
]

# Scenery publishers: the name first, then other spellings found in file names.
# Short abbreviations are left out: every spelling is also matched ignoring case
# anywhere in a file name.
PUBLISHERS = [
    ["FlyTampa", "Fly Tampa", "Fly_Tampa"],
    ["FSDreamTeam", "FS Dream Team", "FS_DreamTeam", "FSDT_"],
    ["Aerosoft", "Mega Airport", "MegaAirport"],
    ["LatinVFR", "Latin VFR", "Latin_VFR"],
    ["Flightbeam", "Flight Beam", "FlightBeam_"],
    ["Taxi2Gate", "Taxi 2 Gate", "T2G_"],
    ["ImagineSim", "Imagine Sim", "Imagine Simulation"],
    ["UK2000", "UK 2000", "UK2000_"],
    ["Drzewiecki Design", "DrzewieckiDesign", "Drzewiecki"],
    ["JustSim", "Just Sim", "JustSim_"],
    ["SimWings", "Sim-Wings", "Sim Wings"],
    ["FSimStudios", "FSim Studios", "FSimStudio"],
    ["PacSim", "Pacific Islands Simulation"],
    ["MK Studios", "MKStudios", "MK-Studios"],
    ["Digital Design", "DigitalDesign"],
    ["29Palms", "29 Palms"],
    ["Tropicalsim", "Tropical Sim"],
    ["Jetstream Designs", "JetstreamDesigns"],
    ["FeelThere", "Feel There"],
    ["Skyline Simulations", "SkylineSimulations"],
]

# Airports of the simulator-family add-on sceneries (file names carry ORBX).
SIM_ADDON_AIRPORTS = ["EGHC", "EGKB", "EGLC", "ESSB", "KBVS", "KHAF", "KJAC", "KPSP", "LOWI", "NZQN", "NZWN",
                      "YBBN", "YMML"]

THIRD_PARTY_AIRPORTS = [
    ("FlyTampa", ["CYYZ", "EHAM", "EKCH", "KBOS", "KLAS", "LGAV", "OMDB", "TNCM", "YSSY"]),
    ("FSDreamTeam", ["CYVR", "KFLL", "KIAH", "KJFK", "KLAX", "KMEM", "KORD", "LIMC", "LSZH", "PHNL"]),
    ("Aerosoft", ["EDDF", "EDDM", "EGLL"]),
    ("LatinVFR", ["KSAN", "LEBL", "LEMD", "LPPT"]),
    ("Flightbeam", ["KDEN", "KIAD", "KPDX", "KSFO", "NZAA"]),
    ("Taxi2Gate", ["KMCO", "KMIA"]),
    ("ImagineSim", ["KATL"]),
    ("UK2000", ["EGBB", "EGCC", "EGGW", "EGKK", "EGPF", "EGPH", "EGSS"]),
    ("Drzewiecki Design", ["EPWA", "UUEE"]),
]

# Type codes often written wrongly in aircraft.cfg files, and the right ones.
FIXES = [
    ("A21NX", "A21N"), ("A32N", "A20N"), ("A330", "A333"), ("A340", "A343"), ("A350", "A359"), ("A380", "A388"),
    ("A306F", "A306"), ("ATR42", "AT45"), ("ATR72", "AT72"), ("B744F", "B744"), ("B747", "B744"),
    ("B748F", "B748"), ("B74F", "B744"), ("B752F", "B752"), ("B757", "B752"), ("B763F", "B763"),
    ("B767", "B763"), ("B777", "B772"), ("B777F", "B77L"), ("B77F", "B77L"), ("B787", "B788"),
    ("CRJ", "CRJ2"), ("CRJ200", "CRJ2"), ("CRJ900", "CRJ9"), ("DHC8", "DH8D"), ("E175", "E75L"),
    ("E190E2", "E290"), ("MD-11", "MD11"), ("MD11F", "MD11"), ("Q400", "DH8D"),
]

# Livery titles of the starting registration list are made of the type's name
# and the airline's name, then the registration, e.g.
# "Boeing 737-800 KLM Royal Dutch Airlines PH-BXA".
REGISTRATIONS_PER_TITLE_GROUP = 2

REGISTRATION_PATTERN = re.compile(r"[A-Z0-9]{1,3}-?[A-Z0-9]{1,9}")
AIRLINE_PATTERN = re.compile(r"[A-Z]{3}")


def shared_data_default():
    for candidate in (HERE.parent.parent / "shared" / "data", Path("/work/shared/data")):
        if candidate.is_dir():
            return candidate
    return None


def read_faa_types(path):
    """(code, name, span metres, class) for every type of the FAA sheet."""
    types = []
    with open(path, encoding="utf-8", newline="") as file:
        for row in csv.DictReader(file):
            code = row["ICAO_Code"].strip()
            spans = [row["Wingspan_ft_with_winglets_sharklets"], row["Wingspan_ft_without_winglets_sharklets"]]
            # The larger span (with winglets) where both are given: spacing must not underestimate.
            feet = next((float(s) for s in spans if s.strip() and s.strip() != "N/A"), None)
            types.append((code, row["Model_FAA"].strip(), None if feet is None else feet * FEET_TO_METRES,
                          faa_class(code, row)))
    return types


def faa_class(code, row):
    engine = row["Physical_Class_Engine"].strip()
    wake = row["ICAO_WTC"].strip()
    if engine == "Turboshaft":
        return ROTORCRAFT
    if wake in ("Heavy", "Super"):
        return HEAVY
    if code in MILITARY_JETS:
        return HIGHPERF
    if code in BUSINESS_JETS:
        return BUZJET
    if engine == "Jet":
        return LARGE
    # Turboprop airliners and the piston airliners of their era (DC-3, DC-6).
    if wake == "Medium":
        return LARGE
    return LIGHT


def read_airlines(path):
    """ICAO code -> (name, active) with the active row preferred where a code is reused."""
    airlines = {}
    with open(path, encoding="utf-8", newline="") as file:
        for row in csv.reader(file):
            if len(row) < 8 or not AIRLINE_PATTERN.fullmatch(row[4]):
                continue
            active = row[7] == "Y"
            if row[4] not in airlines or (active and not airlines[row[4]][1]):
                airlines[row[4]] = (row[1].strip(), active)
    return airlines


def read_timetable_aircraft(folders, known_types, report):
    """One record per registration (the first seen wins), in file order."""
    records = {}
    skipped_types = {}
    for folder in folders:
        for path in sorted(Path(folder).rglob("*.xml")):
            try:
                root = ElementTree.parse(path).getroot()
            except ElementTree.ParseError as error:
                report(f"skipped {path}: {error}")
                continue
            for aircraft in root.iter("aircraft"):
                entry = timetable_entry(aircraft, known_types, skipped_types)
                if entry and entry["reg"] not in records:
                    records[entry["reg"]] = entry
    if skipped_types:
        skipped = ", ".join(f"{code} ({count})" for code, count in sorted(skipped_types.items()))
        report(f"type codes without ICAO designator: {skipped}")
    return records


def timetable_entry(aircraft, known_types, skipped_types):
    registration = (aircraft.findtext("registration") or "").strip().upper()
    airline = (aircraft.findtext("airline") or "").strip()
    actype = (aircraft.findtext("actype") or "").strip()
    if not REGISTRATION_PATTERN.fullmatch(registration) or not 3 <= len(registration) <= 12:
        return None
    if not AIRLINE_PATTERN.fullmatch(airline):
        airline = ""
    icao = IATA_TO_ICAO.get(actype.upper()) or (actype.upper() if actype.upper() in known_types else None)
    if icao is None:
        skipped_types[actype] = skipped_types.get(actype, 0) + 1
        return None
    cargo = (aircraft.findtext("flighttype") or "").strip() == "cargo" or actype.upper() in FREIGHTER_CODES
    # An airline flying in another's colours (Republic as American Eagle) names that one as its livery.
    livery = (aircraft.findtext("livery") or "").strip()
    if not AIRLINE_PATTERN.fullmatch(livery):
        livery = airline
    return {"reg": registration, "airline": airline, "livery": livery, "type": icao,
            "cargo": cargo or airline in CARGO_OPERATORS}


def attr(value):
    return quoteattr(value)


def list_elements(element, attribute, codes, indent="  "):
    """Codes grouped by first character, one element per group, for a readable file."""
    groups = {}
    for code in sorted(codes):
        groups.setdefault(code[0], []).append(code)
    return [f"{indent}<{element} {attribute}={attr(','.join(group))}/>" for _, group in sorted(groups.items())]


def section(name, lines):
    return [f"<{name}>", *lines, f"</{name}>"]


ATTRIBUTION = """\
Aircraft database of Aeroshadow_P3D, generated by data/generate_dbase.py. Do not edit by hand.
Sources:
 - Types, wingspans and wake classes: FAA Aircraft Characteristics Database (AC 150/5300-13B
   appendix), edition 2023-09-07, a work of the U.S. Federal Aviation Administration, public domain.
 - Airline codes: OpenFlights airlines database, https://openflights.org/data,
   Open Database License (ODbL 1.0). Contains information from OpenFlights.org; the airline parts
   of this file are made available under the ODbL 1.0 as well.
 - Registrations, their airlines and types: FlightGear AI traffic timetables (Debian package
   flightgear-data-ai 1:2020.3.16+dfsg-1, AI/Traffic), GPL-2+, (c) the FlightGear contributors.
 - Types missing from the FAA sheet with their spans, cargo operators and types, type families,
   scenery publishers, add-on airports and type fixes: compiled for this project from public
   manufacturer and reference facts.
{counts}"""


def build_dbase(types, airlines, records, timetable_airlines):
    type_codes = {code for code, _, _, _ in types}
    by_class = {}
    for code, _, _, kind in types:
        by_class.setdefault(kind, set()).add(code)
    # Active airlines, plus the freight airlines and the timetables' operators,
    # which OpenFlights often keeps as defunct although they fly today.
    airline_codes = {code for code, (_, active) in airlines.items() if active}
    airline_codes |= set(CARGO_OPERATORS) | timetable_airlines
    counts = (f"Counts: {len(type_codes)} types, {len(airline_codes)} airlines, {len(records)} registrations.")

    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!--", ATTRIBUTION.format(counts=counts), "-->"]
    lines += section("aircrafts", list_elements("aircraft", "types", type_codes))
    lines += section("high_performance", list_elements("hpf", "types", by_class.get(HIGHPERF, set())))
    lines += section("heavy", list_elements("hvy", "types", by_class.get(HEAVY, set())))
    lines += section("large", list_elements("lar", "types", by_class.get(LARGE, set())))
    lines += section("buzjet", list_elements("bzj", "types", by_class.get(BUZJET, set())))
    lines += section("rotorcraft", list_elements("rot", "types", by_class.get(ROTORCRAFT, set())))
    lines += section("cargo_types", list_elements("cargo_type", "types", CARGO_TYPES))
    lines += section("similar_types", [f"  <similar types={attr(','.join(group))}/>" for group in SIMILAR_TYPES])
    lines += section("ICAO_airlines", list_elements("ICAO", "codes", airline_codes))
    lines += section("cargo_operators", list_elements("ICAO", "codes", CARGO_OPERATORS))
    lines += section("publishers", [f"  <pub names={attr(','.join(names))}/>" for names in PUBLISHERS])
    lines += section("wingspans", [f"  <wingspan type={attr(code)} meters=\"{metres:.2f}\"/>"
                                   for code, _, metres, _ in sorted(types) if metres is not None])
    lines += section("fixes", [f"  <fx wro={attr(wrong)} cor={attr(right)}/>" for wrong, right in FIXES])
    lines += section("simaddonsP3D", [f"  <simaddonP3D arpts={attr(','.join(SIM_ADDON_AIRPORTS))}/>"])
    lines += section("thirdpartiesP3D", [f"  <thirdpartieP3D pub={attr(pub)} arpts={attr(','.join(arpts))}/>"
                                         for pub, arpts in THIRD_PARTY_AIRPORTS])
    db_lines = []
    for registration in sorted(records):
        record = records[registration]
        # airl: the code whose liveries the aircraft wears; opr: the operator's code where it differs.
        operator = record["airline"] if record["airline"] != record["livery"] else ""
        db_lines.append(f"  <db reg={attr(registration)} airl={attr(record['livery'])} type={attr(record['type'])}"
                        f" opr={attr(operator)} cargo=\"{1 if record['cargo'] else 0}\"/>")
    lines += section("dbase", db_lines)
    return "\n".join(lines) + "\n", counts


def build_regcodes(types, airlines, records):
    names = {code: name for code, name, _, _ in types}
    taken = {}
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!--",
             "Starting AIG registration list of Aeroshadow_P3D, generated by data/generate_dbase.py.",
             "Registrations from the FlightGear AI traffic timetables (GPL-2+), tied to the livery",
             "titles of the demo world: '<type name> <airline name> <registration>'.",
             "-->",
             "<AIG-regcodes>"]
    for registration, record in records.items():
        group = (record["airline"], record["type"])
        airline_name = airlines.get(record["airline"], ("", False))[0]
        if not airline_name or taken.get(group, 0) >= REGISTRATIONS_PER_TITLE_GROUP:
            continue
        taken[group] = taken.get(group, 0) + 1
        title = f"{names[record['type']]} {airline_name} {registration}"
        lines.append(f"  <livery title={attr(title)} reg={attr(registration)}/>")
    lines.append("</AIG-regcodes>")
    return "\n".join(lines) + "\n"


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--shared-data", type=Path, default=shared_data_default())
    parser.add_argument("--timetables", type=Path, action="append", default=[],
                        help="further FlightGear AI/Traffic folders for the registrations")
    parser.add_argument("--output-dir", type=Path, default=HERE)
    args = parser.parse_args(argv)
    if args.shared_data is None or not args.shared_data.is_dir():
        parser.error("the shared data folder was not found; give --shared-data")

    def report(text):
        print(text, file=sys.stderr)

    types = read_faa_types(args.shared_data / "aircraft-types" / "faa-acd-2023-09-07.csv")
    types += [(code, name, metres, kind) for code, name, metres, kind in EXTRA_TYPES]
    airlines = read_airlines(args.shared_data / "airlines" / "openflights-airlines.dat")
    known_types = {code for code, _, _, _ in types}

    demo_records = read_timetable_aircraft([args.shared_data / "fg-ai-timetables"], known_types, report)
    records = dict(demo_records)
    for extra_folder, extra in ((folder, read_timetable_aircraft([folder], known_types, report))
                                for folder in args.timetables):
        report(f"{len(extra)} registrations in {extra_folder}")
        for registration, record in extra.items():
            records.setdefault(registration, record)
    timetable_airlines = {code for record in records.values() for code in (record["airline"], record["livery"]) if code}

    dbase, counts = build_dbase(types, airlines, records, timetable_airlines)
    args.output_dir.mkdir(parents=True, exist_ok=True)
    (args.output_dir / "dbase.xml").write_text(dbase, encoding="utf-8")
    (args.output_dir / "AIG-regcodes.xml").write_text(build_regcodes(types, airlines, demo_records),
                                                      encoding="utf-8")
    report(counts)
    return 0


if __name__ == "__main__":
    sys.exit(main())
