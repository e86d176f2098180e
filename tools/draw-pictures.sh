#!/usr/bin/env bash
# Draws the seven pictures of the About and help windows again, into resources/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/pictures -DCMAKE_BUILD_TYPE=Release -DPARVOLIN_TESTS=OFF -DPARVOLIN_BENCH=OFF >/dev/null
cmake --build build/pictures -j"$(nproc)" --target parvolin_draw_pictures
build/pictures/tools/pictures/parvolin_draw_pictures resources
