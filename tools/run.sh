#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Parvolin and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-packages.sh
cmake -S . -B build/run -DCMAKE_BUILD_TYPE=Release -DPARVOLIN_TESTS=OFF -DPARVOLIN_BENCH=OFF >/dev/null
cmake --build build/run -j"$(nproc)" --target parvolin
exec build/run/bin/parvolin
