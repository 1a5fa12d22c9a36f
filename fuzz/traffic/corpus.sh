#!/usr/bin/env bash
# Seeds of traffic_cycle_fuzz in the corpus folder $1: runs of 40 consecutive
# traffic datagrams of the Zurich recording, each line led by its gap in
# cycles (the offsets' difference, at most 31) as one printable byte.
set -euo pipefail
grep -v '^#' data/feed/zurich.rec | awk -v dir="$1" '$2 == 49005 {
  n++; gap = int(($1 - last) / 10); last = $1; if (gap > 31) gap = 31; if (gap < 0) gap = 0
  sub(/^[0-9]+ [0-9]+ /, ""); file = sprintf("%s/recorded-%05d", dir, int(n / 40))
  printf "%c%s\n", 64 + gap, $0 >> file; close(file) }'
# The same runs with simulator notifications after them: objects created for
# the first records, ground data and shapes while they become active and move.
for seed in "$1"/recorded-*; do
  case "$seed" in *-objects) continue ;; esac
  {
    cat "$seed"
    for _ in 1 2 3 4; do printf '_!Db06.5,0.01\n'; done
    for record in a b c d; do printf '@!A%s00,3000\n' "$record"; done
    for _ in 1 2 3 4 5 6 7 8 9 10; do printf '_!Ca01416,2000\n_!Cb11416,0\n'; done
  } > "$seed-objects"
done
