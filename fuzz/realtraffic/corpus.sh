#!/usr/bin/env bash
# Adds every 50th datagram of the Zurich recording to the corpus folder $1.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
grep -v '^#' "$top/data/feed/zurich.rec" | awk -v dir="$1" 'NR % 50 == 1 {
  sub(/^[0-9]+ [0-9]+ /, ""); file = sprintf("%s/recorded-%05d", dir, NR); printf "%s", $0 > file; close(file) }'
