#!/usr/bin/env bash
# Builds Zandrel with AddressSanitizer and UndefinedBehaviorSanitizer in
# ./build-asan and runs the whole test suite under them; any report fails the run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZANDREL_ASAN_BUILD_DIR:-$root/build-asan}"
"$root/scripts/setup.sh"
# Let ccache share results between checkouts in different folders (CI builds a
# fresh clone each time).
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZANDREL_SANITIZE=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)"
cd "$build"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Leaks that belong to the system libraries under Qt, never to Zandrel's code.
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
