#!/usr/bin/env bash
# Adds real files to a livery fuzz corpus: the third-party aircraft.cfg files
# of the shared data folder and the start of the shipped AIG list.
set -euo pipefail
corpus="$1"
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
shared="${AEROSHADOW_SHARED_DATA:-$top/../shared/data}"
if [ -d "$shared/aircraft-cfg" ]; then cp "$shared"/aircraft-cfg/*.cfg "$corpus/"; fi
head -c 4000 "$top/data/AIG-regcodes.xml" > "$corpus/aig-shipped.xml"
