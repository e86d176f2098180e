#!/usr/bin/env bash
# The installed program under a real X server, driven as a user drives it: a player is
# mounted under /media (a tmpfs, read-only) in a private mount namespace, and every step is
# real input through the X server (pointer, clicks, keys). It checks what the X server shows
# (windows, titles, screenshots) and what lands on disk; it uses no test seam of the program.
#
#   e2e_test.sh <parvolin executable, installed> <folder for screenshots>
#
# Exits 77 (skipped) where the machine allows no private mount namespace.
set -euo pipefail

PARVOLIN="$(realpath "$1")"
ARTIFACTS="$(mkdir -p "$2" && realpath "$2")"
HERE="$(cd "$(dirname "$0")" && pwd)"

if [ -z "${E2E_IN_NAMESPACE:-}" ]; then
  if ! unshare -m --propagation private true 2>"$ARTIFACTS/unshare.err"; then
    echo "SKIPPED: this machine allows no private mount namespace ($(head -n 1 "$ARTIFACTS/unshare.err"))"
    exit 77
  fi
  exec env E2E_IN_NAMESPACE=1 unshare -m --propagation private "$0" "$@"
fi

# shellcheck source=lib.sh
source "$HERE/lib.sh"

WORK="$(mktemp -d)"
cleanup() {
  release_keys 2>/dev/null || true
  [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT

# ---- The player: a tmpfs under /media, filled, then mounted read-only ----------------------

# Little-endian integers as bytes.
le16() { printf "$(printf '\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }

# A WAV file of noise: 8 kHz, 8 bits, mono, $2 tenths of a second.
make_wav() {
  local samples=$((800 * $2))
  {
    printf 'RIFF'; le32 $((36 + samples)); printf 'WAVEfmt '; le32 16; le16 1; le16 1
    le32 8000; le32 8000; le16 1; le16 8; printf 'data'; le32 "$samples"
    head -c "$samples" /dev/urandom
  } >"$1"
}

mkdir -p /media
mount -t tmpfs -o size=8m tmpfs /media
mkdir /media/IPOD
mount -t tmpfs -o size=1200m tmpfs /media/IPOD
MUSIC=/media/IPOD/iPod_Control/Music
mkdir -p "$MUSIC"/F00 "$MUSIC"/F01 "$MUSIC"/F02
for name in AAAA BBBB CCCC DDDD; do make_wav "$MUSIC/F00/$name.wav" 5; done
for name in EEEE AAAA FFFF; do make_wav "$MUSIC/F01/$name.wav" 3; done   # AAAA again
make_wav "$MUSIC/F02/GGGG.wav" 20
# Many files, for stopping a copy midway.
mkdir "$MUSIC"/F03
head -c $((4000 * 8192)) /dev/urandom >"$WORK/many"
(cd "$MUSIC/F03" && split -a 4 -d -b 8192 --additional-suffix=.mp3 "$WORK/many" M)
(cd /media/IPOD && find . -type f -exec sha256sum {} + | sort -k2) >"$WORK/player-before.sums"
mount -o remount,ro /media/IPOD

# Where copies go: a tmpfs of its own, and a home whose Desktop the chooser opens at.
mkdir -p "$WORK/dest" "$WORK/home/Desktop"
mount -t tmpfs -o size=1500m tmpfs "$WORK/dest"
export HOME="$WORK/home"
export XDG_RUNTIME_DIR="$WORK/runtime" && mkdir -m 700 "$XDG_RUNTIME_DIR"

start_x
QT_QPA_PLATFORM=xcb "$PARVOLIN" >"$ARTIFACTS/parvolin.log" 2>&1 &
APP_PID=$!

# ---- Start: the main window appears ---------------------------------------------------------
MAIN=$(wait_window a 20) || fail "the main window (titled a) did not appear"
window_geometry "$MAIN"
[ "$WIN_W" = 580 ] || fail "the main window is $WIN_W wide, not 580"
CONTENT_H=580
sleep 0.5
shot main-window

echo "passed"
