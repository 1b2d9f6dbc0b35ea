#!/usr/bin/env bash
# Builds Zandrel and runs every test, offscreen.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZANDREL_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" "$@"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
