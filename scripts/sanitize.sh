#!/usr/bin/env bash
# Builds Zandrel with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# ./build-asan and runs the whole test suite under them; any report fails the run.
# The build treats every warning as an error, so a warning clang finds (the normal
# build uses g++) fails CI too.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZANDREL_ASAN_BUILD_DIR:-$root/build-asan}"
"$root/scripts/setup.sh"
# Let ccache share results between checkouts in different folders (CI builds a
# fresh clone each time).
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true
# A folder configured for another compiler cannot be switched in place.
if [ -f "$build/CMakeCache.txt" ] && ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++' "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DZANDREL_SANITIZE=ON -DZANDREL_WERROR=ON >/dev/null
# The benchmarks are built too (not run), so they also compile warning-free with clang.
cmake --build "$build" --parallel "$(nproc)" --target all bench
cd "$build"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Leaks that belong to the system libraries under Qt, never to Zandrel's code.
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
