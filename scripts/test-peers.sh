#!/usr/bin/env bash
# Installs the independent test peers (npm packages) into a scratch folder
# outside the source tree, once. Without network the suite still runs: the
# tests that need a peer skip with a message.
# Folder: $AEROSHADOW_TEST_PEERS, else ${XDG_CACHE_HOME:-$HOME/.cache}/aeroshadow-test-peers
set -uo pipefail

peers="${AEROSHADOW_TEST_PEERS:-${XDG_CACHE_HOME:-$HOME/.cache}/aeroshadow-test-peers}"
node_simconnect_version="4.2.0"
playwright_core_version="1.65.1"

if ! command -v npm >/dev/null 2>&1; then
  echo "test-peers: npm not found; tests with npm peers will skip" >&2
  exit 0
fi

mkdir -p "$peers"
# Installs one package at its version unless it is there already.
install_peer() {
  local name="$1" version="$2"
  local installed="$peers/node_modules/$name/package.json"
  if [ -f "$installed" ] && grep -q "\"version\": \"$version\"" "$installed"; then
    return 0
  fi
  if ! npm install --prefix "$peers" --no-audit --no-fund --loglevel=error "$name@$version" >&2; then
    echo "test-peers: could not install $name (no network?); its tests will skip" >&2
  fi
}
install_peer node-simconnect "$node_simconnect_version"
# Drives Debian's chromium for the web window's browser tests; it downloads no browser of its own.
install_peer playwright-core "$playwright_core_version"
exit 0
