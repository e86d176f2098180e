#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Parvolin with warnings as errors and runs every
# test twice: in a normal build, then under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-packages.sh
jobs="$(nproc)"

run_suite() {
  local dir="$1"; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DPARVOLIN_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 300)
}

echo "== Normal build"
run_suite build/test -DPARVOLIN_BENCH=ON
echo "== AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
run_suite build/test-sanitized -DPARVOLIN_SANITIZE=ON -DPARVOLIN_BENCH=OFF
