#!/usr/bin/env bash
# Regenerates tests/fixtures/simconnect/node_simconnect_frames.txt: the frames
# node-simconnect (installed by scripts/test-peers.sh) sends for each client
# operation, used by the encoder comparison test.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
peers="${AEROSHADOW_TEST_PEERS:-${XDG_CACHE_HOME:-$HOME/.cache}/aeroshadow-test-peers}"
"$top/scripts/test-peers.sh"
out="$top/tests/fixtures/simconnect/node_simconnect_frames.txt"
version="$(sed -n 's/.*"version": "\(.*\)".*/\1/p' "$peers/node_modules/node-simconnect/package.json")"
{
  echo "# Client frames as encoded by node-simconnect $version (FSX SP2 protocol), captured by"
  echo "# scripts/capture-simconnect-frames.sh; one line per operation: name, then the frame in hex."
  node "$top/tests/integration/sim/peer/capture_frames.js" "$peers/node_modules"
} > "$out.tmp"
mv "$out.tmp" "$out"
echo "wrote $out"
