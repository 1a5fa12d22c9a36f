#!/usr/bin/env python3
"""Builds the program's airport database (airports_p3d.xml) from the
airportsdata CSV (MIT licence): one <airport> per row, in file order, with the
code, the IATA code, the position and the elevation exactly as the CSV gives
them (negative and decimal elevations kept).

Usage: generate_airports.py CSV OUTPUT
Standard library only.
"""

import csv
import sys
from pathlib import Path
from xml.sax.saxutils import quoteattr

ATTRIBUTION = (
    " Airports from airportsdata (https://github.com/mborsetti/airportsdata), MIT licence, "
    "Copyright (c) 2020- Mike Borsetti, including data from https://github.com/mwgg/Airports, Copyright (c) 2014 mwgg. "
    "Columns icao, iata, lat, lon, elevation (feet). "
)


def main(arguments):
    if len(arguments) != 2:
        sys.stderr.write("usage: generate_airports.py CSV OUTPUT\n")
        return 2
    source, output = Path(arguments[0]), Path(arguments[1])
    try:
        with source.open(encoding="utf-8", newline="") as csv_file:
            rows = list(csv.DictReader(csv_file))
    except OSError as error:
        sys.stderr.write(f"cannot read {source}: {error}\n")
        return 1
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', f"<!--{ATTRIBUTION}-->", "<airports>"]
    for row in rows:
        lines.append(
            f"  <airport code={quoteattr(row['icao'])} iata={quoteattr(row['iata'])}"
            f" lat={quoteattr(row['lat'])} lon={quoteattr(row['lon'])} alt={quoteattr(row['elevation'])}/>"
        )
    lines.append("</airports>")
    output.parent.mkdir(parents=True, exist_ok=True)
    partial = output.with_name(output.name + ".tmp")
    partial.write_text("\n".join(lines) + "\n", encoding="utf-8")
    partial.replace(output)
    print(f"{len(rows)} airports written to {output}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
