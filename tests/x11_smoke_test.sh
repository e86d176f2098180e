#!/usr/bin/env bash
# Starts the real program on an X server (Xvfb) and checks that its main window appears,
# titled "a", 580 pixels wide, and that process arguments change nothing.
set -euo pipefail
parvolin="$1"
work="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

# An argument Qt would otherwise act on: the program hands Qt none of its arguments.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  QT_QPA_PLATFORM=xcb "$0" -platform nonexistent --anything &
  app=$!
  for _ in $(seq 1 100); do
    id=$(xdotool search --name "^a$" 2>/dev/null | head -n 1) && [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "${id:-}" ] || { echo "no window titled a"; kill $app; exit 1; }
  xdotool getwindowgeometry "$id" > "$1/geometry"
  import -window root "$1/screen.png"
  kill -0 $app || { echo "the program ended by itself"; exit 1; }
  kill $app
' "$parvolin" "$work" &
pid=$!
wait "$pid"
grep -q "Geometry: 580x" "$work/geometry" || { cat "$work/geometry"; exit 1; }
# The screen is not blank: the window drew its controls.
colours=$(convert "$work/screen.png" -format %k info:)
[ "$colours" -gt 2 ] || { echo "the screen shows $colours colours"; exit 1; }
echo "1 passed, 0 failed"
