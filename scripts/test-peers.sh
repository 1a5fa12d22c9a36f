#!/usr/bin/env bash
# Installs the independent test peers (npm packages) into a scratch folder
# outside the source tree, once. Without network the suite still runs: the
# tests that need a peer skip with a message.
# Folder: $AEROSHADOW_TEST_PEERS, else ${XDG_CACHE_HOME:-$HOME/.cache}/aeroshadow-test-peers
set -uo pipefail

peers="${AEROSHADOW_TEST_PEERS:-${XDG_CACHE_HOME:-$HOME/.cache}/aeroshadow-test-peers}"
node_simconnect_version="4.2.0"

if ! command -v npm >/dev/null 2>&1; then
  echo "test-peers: npm not found; tests with npm peers will skip" >&2
  exit 0
fi

mkdir -p "$peers"
installed="$peers/node_modules/node-simconnect/package.json"
if [ -f "$installed" ] && grep -q "\"version\": \"$node_simconnect_version\"" "$installed"; then
  exit 0
fi

if ! npm install --prefix "$peers" --no-audit --no-fund --loglevel=error \
    "node-simconnect@$node_simconnect_version" >&2; then
  echo "test-peers: could not install node-simconnect (no network?); its tests will skip" >&2
fi
exit 0
