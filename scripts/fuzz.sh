#!/usr/bin/env bash
# Fuzzes the RTF reader with libFuzzer for about a minute (FUZZ_SECONDS to change it).
# Builds only the fuzz target, with clang, in its own build folder; exits non-zero on any
# crash, leak or timeout, and leaves the failing input in that folder's fuzz-artifacts.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ZANDREL_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-60}"

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz.sh: clang++ not found, fuzzing skipped"
  exit 0
fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DZANDREL_FUZZ=ON -DZANDREL_WERROR=ON >/dev/null
cmake --build "$build" --target rtf_reader_fuzz

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/fuzz/corpus/rtf" "$work/corpus"
mkdir -p "$build/fuzz-artifacts"

QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp" \
  "$build/rtf_reader_fuzz" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$build/fuzz-artifacts/" "$work/corpus"
echo "fuzz.sh: no crash, leak or timeout in ${seconds}s"
