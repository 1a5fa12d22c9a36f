#!/usr/bin/env bash
# Seeds the BGL corpus with the shared LEAB files when they are present.
set -euo pipefail
shared="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/../shared/data/bgl"
[ -d "$shared" ] && cp "$shared"/*.bgl "$1/" || true
