#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, then builds Parvolin with warnings as errors and runs
# every test, three times over (see CMakePresets.json): built with GCC, built with GCC
# under AddressSanitizer and UndefinedBehaviorSanitizer, and built with Clang. Each run
# has every test on its own, then each test binary whole in a random order. Last, the
# optimised build (with the benchmarks) must build without a warning too.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-packages.sh
jobs="$(nproc)"

run_suite() {
  local preset="$1"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
  ctest --preset "$preset" -j"$jobs"
}

echo "== GCC"
run_suite ci
echo "== GCC with AddressSanitizer and UndefinedBehaviorSanitizer ($SECONDS s so far)"
run_suite asan
echo "== Clang ($SECONDS s so far)"
run_suite ci-clang
# The optimiser sees more, and warns of more: the release build, benchmarks included, must
# be as clean.
echo "== Release build ($SECONDS s so far)"
cmake --preset release >/dev/null
cmake --build --preset release -j"$jobs"
echo "== Done in $SECONDS s"
