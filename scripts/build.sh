#!/usr/bin/env bash
# Configures and builds Zandrel (program, catalogue and tests) in ./build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZANDREL_BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh"
# Let ccache share results between checkouts in different folders (CI builds a
# fresh clone each time).
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
