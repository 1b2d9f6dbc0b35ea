#!/usr/bin/env bash
# Builds Zandrel with its shipped catalogue and launches it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZANDREL_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
exec "$build/zandrel"
