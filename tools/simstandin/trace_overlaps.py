#!/usr/bin/env python3
"""Counts the frames of a simulator stand-in trace in which two AI objects on
the ground stand in each other.

Usage: trace_overlaps.py TRACE --tool AEROSHADOW_TOOL --install DIR
                         [--aircraft-folder DIR] [--default-model TYPE]

TRACE is the stand-in's --trace file (time;objectId;title;lat;lon;alt;pitch;
bank;heading;onGround). An object's size is its model's: the atc_model of the
aircraft.cfg below --aircraft-folder that holds its title, or --default-model
(A320) for a title installed without one (a --titles file). The half wingspan
of each model comes from the program's aircraft database, asked through
`aeroshadow-tool dbase type MODEL` run in --install (its input/dbase.enc).
Two objects on the ground overlap when they stand closer than the sum of their
half wingspans, as the lab counts them.

Prints one JSON object: frames, ground_overlaps (frames with at least one
overlap), pairs (per two objects that overlapped: a and b as "ID TITLE", the
frames they did and the closest_m they came) and models (title to model).
Exit 1 for an unreadable trace or a tool that fails, 2 for bad usage.
"""

import argparse
import itertools
import json
import math
import os
import subprocess
import sys

METRES_PER_NM = 1852.0
EARTH_RADIUS_M = 6371008.8


def models_of(folder):
    """Lower-case title to atc_model for every aircraft.cfg below folder."""
    models = {}
    for root, _, files in os.walk(folder or []):
        for name in files:
            if name.lower() != "aircraft.cfg":
                continue
            titles, model = [], None
            with open(os.path.join(root, name), encoding="latin-1") as cfg:
                for line in cfg:
                    key, equals, value = line.partition("=")
                    if not equals:
                        continue
                    key, value = key.strip().lower(), value.strip()
                    if key == "title" and value:
                        titles.append(value.lower())
                    elif key == "atc_model" and value and model is None:
                        model = value
            for title in titles:
                models[title] = model
    return models


def half_wingspan_m(tool, install, model):
    answer = subprocess.run([tool, "dbase", "type", model], cwd=install, capture_output=True, text=True, check=True)
    return json.loads(answer.stdout)["halfWingspanNm"] * METRES_PER_NM


def metres_between(a, b):
    lat1, lat2 = math.radians(a[0]), math.radians(b[0])
    dlat, dlon = lat2 - lat1, math.radians(b[1] - a[1])
    h = math.sin(dlat / 2) ** 2 + math.cos(lat1) * math.cos(lat2) * math.sin(dlon / 2) ** 2
    return 2 * EARTH_RADIUS_M * math.asin(math.sqrt(h))


def frames_of(trace):
    """(time, [(objectId, title, lat, lon)] on the ground) per frame, in trace order."""
    time, on_ground = None, []
    with open(trace, encoding="utf-8", errors="replace") as rows:
        for row in rows:
            fields = row.rstrip("\n").split(";")
            if len(fields) < 10 or fields[0] == "time":
                continue
            if fields[0] != time:
                if time is not None:
                    yield time, on_ground
                time, on_ground = fields[0], []
            if fields[9] == "1":
                on_ground.append((fields[1], fields[2], float(fields[3]), float(fields[4])))
    if time is not None:
        yield time, on_ground


def main(arguments):
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("trace")
    parser.add_argument("--tool", required=True)
    parser.add_argument("--install", required=True)
    parser.add_argument("--aircraft-folder")
    parser.add_argument("--default-model", default="A320")
    try:
        options = parser.parse_args(arguments)
    except SystemExit:
        print(__doc__.splitlines()[3], file=sys.stderr)
        return 2
    installed = models_of(options.aircraft_folder)
    spans, title_models = {}, {}

    def half_span(title):
        model = installed.get(title.lower()) or options.default_model
        title_models[title] = model
        if model not in spans:
            spans[model] = half_wingspan_m(options.tool, options.install, model)
        return spans[model]

    frames, overlapping, pairs = 0, 0, {}
    try:
        for _, on_ground in frames_of(options.trace):
            frames += 1
            overlapped = False
            for a, b in itertools.combinations(on_ground, 2):
                distance = metres_between(a[2:], b[2:])
                if distance >= half_span(a[1]) + half_span(b[1]):
                    continue
                overlapped = True
                key = tuple(sorted((f"{a[0]} {a[1]}", f"{b[0]} {b[1]}")))
                pair = pairs.setdefault(key, {"a": key[0], "b": key[1], "frames": 0, "closest_m": distance})
                pair["frames"] += 1
                pair["closest_m"] = min(pair["closest_m"], distance)
            overlapping += overlapped
    except (OSError, ValueError, IndexError) as error:
        print(f"{options.trace}: {error}", file=sys.stderr)
        return 1
    except subprocess.CalledProcessError as error:
        print(f"{options.tool} failed: {error.stderr.strip()}", file=sys.stderr)
        return 1
    print(json.dumps({"frames": frames, "ground_overlaps": overlapping, "pairs": list(pairs.values()),
                      "models": title_models}))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
