#!/usr/bin/env bash
# The installed program under a real X server, driven as a user drives it: a player is
# mounted under /media (a tmpfs, read-only) in a private mount namespace, and every step is
# real input through the X server (pointer, clicks, keys). It checks what the X server shows
# (windows, titles, screenshots) and what lands on disk; it uses no test seam of the program.
#
#   e2e_test.sh <build folder> <folder for screenshots>
#
# It installs the build into a temporary prefix and runs the installed program. Exits 77
# (skipped) where the machine allows no private mount namespace.
set -euo pipefail

BUILD="$(realpath "$1")"
ARTIFACTS="$(mkdir -p "$2" && realpath "$2")"
HERE="$(cd "$(dirname "$0")" && pwd)"

if [ -z "${E2E_IN_NAMESPACE:-}" ]; then
  # As root a mount namespace of our own; otherwise one inside a user namespace, where the
  # machine allows it.
  namespace=(unshare -m --propagation private)
  if ! "${namespace[@]}" true 2>"$ARTIFACTS/unshare.err"; then
    namespace=(unshare -r -m --propagation private)
    if ! "${namespace[@]}" true 2>>"$ARTIFACTS/unshare.err"; then
      echo "SKIPPED: this machine allows no private mount namespace ($(tail -n 1 "$ARTIFACTS/unshare.err"))"
      exit 77
    fi
  fi
  exec env E2E_IN_NAMESPACE=1 "${namespace[@]}" "$0" "$@"
fi

# shellcheck source=lib.sh
source "$HERE/lib.sh"

WORK="$(mktemp -d)"
cmake --install "$BUILD" --prefix "$WORK/install" >/dev/null
PARVOLIN="$WORK/install/bin/parvolin"
cleanup() {
  release_keys 2>/dev/null || true
  [ -n "${APP_PID:-}" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  umount "$WORK/dest" 2>/dev/null || true
  rm -rf "$WORK" || true
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

# ---- Start: the player is found and its music folders listed; a click lists a folder ----
MAIN=$(wait_window a 20) || fail "the main window (titled a) did not appear"
window_geometry "$MAIN"
[ "$WIN_W" = 580 ] || fail "the main window is $WIN_W wide, not 580"
C=580 # the content's height; the menu bar lies above it in the window
# The rows a list shows ($1 the content-x to measure at) once their number has settled:
# the same in three looks in a row (a list being filled shows more rows as it goes).
settled_rows() {
  local x="$1" rows=() previous="" same=0
  for _ in $(seq 1 100); do
    rows=($(row_centres "$MAIN" $C "$x" 110 425))
    if [ "${#rows[@]}" = "$previous" ]; then same=$((same + 1)); else same=0; fi
    previous=${#rows[@]}
    [ "$same" -ge 2 ] && [ "${#rows[@]}" -gt 0 ] && break
    sleep 0.05
  done
  echo "${rows[*]}"
}
FOLDER_ROWS=($(settled_rows 75))
shot start "$MAIN"
[ "${#FOLDER_ROWS[@]}" = 4 ] || fail "the folder list shows ${#FOLDER_ROWS[@]} rows, not the player's 4 music folders"
echo "folder rows at ${FOLDER_ROWS[*]}"

# A click on a folder lists its files. The folder list keeps the Music folder's own order,
# so F00 is found by what it holds: its four files.
F00_ROW=""
for row in "${FOLDER_ROWS[@]}"; do
  click_at "$MAIN" $C 50 "$row"
  FILE_ROWS=($(settled_rows 530))
  if [ "${#FILE_ROWS[@]}" = 4 ]; then F00_ROW=$row; break; fi
done
[ -n "$F00_ROW" ] || fail "no folder listed F00's four files"
shot folder-listed

# ---- Copy: choose the destination, select three files with Ctrl-click, "Copy" ----------------
choose_destination() {
  mkdir -p "$1"
  local field
  field=$(region_print "$MAIN" $C 114 73 357 22)
  click_at "$MAIN" $C 64 85
  local chooser
  chooser=$(wait_window Parvolin) || fail "the folder chooser did not open"
  wait_focus "$chooser" || fail "the folder chooser did not take the keyboard"
  wait_drawn "$chooser"
  shot "chooser-$(basename "$1")" "$chooser"
  xdotool type --delay 5 "$1"
  xdotool key Return
  wait_window_gone Parvolin || fail "the folder chooser did not close"
  # The chooser is done once the destination field shows the new folder.
  for _ in $(seq 1 100); do [ "$(region_print "$MAIN" $C 114 73 357 22)" != "$field" ] && break; sleep 0.05; done
  [ "$(region_print "$MAIN" $C 114 73 357 22)" != "$field" ] || fail "the destination field did not change"
  xdotool windowfocus "$MAIN"
}

# Every file of the destination $1 is byte for byte a file of the player under $2 (a folder
# of the player, or the whole Music folder); prints how many there are.
check_copies() {
  local dest="$1" from="$2" file name count=0
  for file in "$dest"/*; do
    [ -e "$file" ] || continue
    name=$(basename "$file")
    sum=$(sha256sum <"$file" | cut -d' ' -f1)
    grep -q "^$sum " "$WORK/sums-of-$from" || fail "$name in $dest is no file of the player"
    count=$((count + 1))
  done
  echo "$count"
}
(cd "$MUSIC" && find . -type f -exec sha256sum {} + >"$WORK/sums-of-Music")
(cd "$MUSIC/F00" && sha256sum ./* >"$WORK/sums-of-F00")

choose_destination "$WORK/dest/selected"
click_at "$MAIN" $C 200 "${FILE_ROWS[0]}"
key_down Control_L
click_at "$MAIN" $C 200 "${FILE_ROWS[1]}"
click_at "$MAIN" $C 200 "${FILE_ROWS[3]}"
key_up Control_L
shot three-selected
for row in 0 1 3; do
  row_selected "$MAIN" $C 530 "${FILE_ROWS[$row]}" || fail "file row $row is not selected after the Ctrl-clicks"
done
row_selected "$MAIN" $C 530 "${FILE_ROWS[2]}" && fail "file row 2 is selected though it was not clicked"
click_at "$MAIN" $C 522 85
for _ in $(seq 1 100); do [ "$(ls "$WORK/dest/selected" | wc -l)" -ge 3 ] && break; sleep 0.1; done
wait_window_gone Untitled || fail "the progress window stayed open"
copied=$(check_copies "$WORK/dest/selected" F00)
[ "$copied" = 3 ] || fail "$copied files arrived instead of the three selected"
ls -a "$WORK/dest/selected" | grep -q '^\.parvolin' && fail "a temporary file was left behind"
echo "Copy: three selected files arrived byte-identical"

# ---- Copy All: hold Alt, click the copy button, answer Yes ----------------------------------
sums_of() { (cd "$1" && find . -type f -exec sha256sum {} + | cut -d' ' -f1 | sort); }
# Waits until the progress window has come and gone.
wait_copy_done() {
  wait_window Untitled 20 >/dev/null || fail "no progress window appeared"
  wait_window_gone Untitled 120 || fail "the progress window stayed open"
}

# The copy button reads the Option key every 100 ms and then reads "Copy All".
copy_button() { region_print "$MAIN" $C 486 75 73 20; }
hold_alt_for_copy_all() {
  local before
  before=$(copy_button)
  key_down Alt_L
  wait_change "$before" copy_button >/dev/null || fail "holding Alt did not turn the button into Copy All"
}

choose_destination "$WORK/dest/all"
hold_alt_for_copy_all
shot copy-all-button
click_at "$MAIN" $C 522 85
QUESTION=$(wait_window Parvolin) || fail "the Copy All question did not appear"
key_up Alt_L
shot copy-all-question "$QUESTION"
xdotool windowfocus "$QUESTION"
xdotool key Return
wait_copy_done
[ "$(sums_of "$WORK/dest/all")" = "$(sums_of "$MUSIC")" ] ||
  fail "the destination does not hold exactly every file of every music folder"
[ -e "$WORK/dest/all/AAAA.wav" ] && [ -e "$WORK/dest/all/AAAA 2.wav" ] ||
  fail "the two files named AAAA.wav were not kept apart"
echo "Copy All: all $(ls "$WORK/dest/all" | wc -l) files arrived byte-identical, equal names kept apart"

# ---- Stop: Copy All again, Ctrl+. after the first few files -----------------------------------
choose_destination "$WORK/dest/stopped"
hold_alt_for_copy_all
click_at "$MAIN" $C 522 85
QUESTION=$(wait_window Parvolin) || fail "the Copy All question did not appear"
key_up Alt_L
xdotool windowfocus "$QUESTION"
xdotool key Return
PROGRESS=$(wait_window Untitled 20) || fail "no progress window appeared"
for _ in $(seq 1 200); do [ "$(ls "$WORK/dest/stopped" | wc -l)" -ge 10 ] && break; sleep 0.02; done
shot progress-window "$PROGRESS"
xdotool windowfocus "$PROGRESS" 2>/dev/null || xdotool windowfocus "$MAIN"
xdotool key ctrl+period
ABORT=$(wait_window Parvolin 20) || fail "Ctrl+. brought no message"
shot copy-aborted "$ABORT"
arrived=$(ls "$WORK/dest/stopped" | wc -l)
[ "$arrived" -lt 4008 ] || fail "the copy was not stopped: all $arrived files arrived"
xdotool windowfocus "$ABORT"
xdotool key Return
wait_window_gone Untitled 20 || fail "the progress window stayed open after the stop"
complete=$(check_copies "$WORK/dest/stopped" Music)
[ "$complete" = "$arrived" ] || fail "only $complete of $arrived files are complete copies"
ls -a "$WORK/dest/stopped" | grep -q '^\.parvolin' && fail "a temporary file was left behind"
echo "Stop: the copy stopped after $arrived files, each of them complete"

# ---- Preview: a file plays and stops ---------------------------------------------------------
# What the Play button shows, as a fingerprint of its pixels.
play_button() {
  window_geometry "$MAIN"
  import -window root "$WORK/button.png"
  convert "$WORK/button.png" -crop "74x20+$((WIN_X + 486))+$((WIN_Y + WIN_H - C + 543))" rgb:- | md5sum
}
for row in "${FOLDER_ROWS[@]}"; do
  click_at "$MAIN" $C 50 "$row"
  FILE_ROWS=($(settled_rows 530))
  [ "${#FILE_ROWS[@]}" = 1 ] && break # F02, one two-second sound
done
[ "${#FILE_ROWS[@]}" = 1 ] || fail "no folder listed F02's one file"
click_at "$MAIN" $C 200 "${FILE_ROWS[0]}"
# Presses go to the middle of "Play", where the count line lies over the button; the button
# is looked at with the pointer away from it, so that only its caption can change it.
press_play() {
  local before
  point_at "$MAIN" $C 300 20
  before=$(play_button)
  click_at "$MAIN" $C 523 553
  point_at "$MAIN" $C 300 20
  wait_change "$before" play_button || fail "a press on the Play button changed nothing"
}
reading_stop=$(press_play)
shot preview-playing
reading_play=$(press_play)
# Played to its end, the sound gives the button back its Play within a few seconds.
[ "$(press_play)" = "$reading_stop" ] || fail "the second Play did not start"
for _ in $(seq 1 100); do [ "$(play_button)" = "$reading_play" ] && break; sleep 0.1; done
[ "$(play_button)" = "$reading_play" ] || fail "the button still reads Stop after the sound ended"
echo "Preview: the file played and stopped, and played to its end"

# ---- About and Help from the menu bar ------------------------------------------------------
open_menu_item() { # $1 the menu's x in the menu bar, $2 how many items down
  window_geometry "$MAIN"
  local before
  before=$(visible_windows)
  xdotool mousemove "$((WIN_X + $1))" "$((WIN_Y + 9))" click 1
  wait_change "$before" visible_windows >/dev/null || fail "the menu did not open"
  local i
  for i in $(seq 1 "$2"); do xdotool key Down; done
  xdotool key Return
}
open_menu_item 20 2 # Edit, About Parvolin...
ABOUT=$(wait_window Untitled) || fail "About Parvolin... opened no window"
window_geometry "$ABOUT"
[ "$WIN_W" = 574 ] && [ "$WIN_H" = 283 ] || fail "the About window is ${WIN_W}x${WIN_H}, not 574x283"
wait_drawn "$ABOUT"
shot about-window "$ABOUT"
click_at "$ABOUT" 283 456 253 # OK
wait_window_gone Untitled || fail "OK did not close the About window"

open_menu_item 56 1 # Info, Help...
HELP=$(wait_window "Parvolin - Info") || fail "Help... opened no window"
window_geometry "$HELP"
[ "$WIN_W" = 640 ] && [ "$WIN_H" = 500 ] || fail "the help window is ${WIN_W}x${WIN_H}, not 640x500"
wait_drawn "$HELP"
shot help-window "$HELP"
click_at "$HELP" 500 321 470 # Close
wait_window_gone "Parvolin - Info" || fail "Close did not close the help window"
echo "About and Help opened from the menu bar and closed"

# ---- Nothing on the player changed -----------------------------------------------------------
(cd /media/IPOD && find . -type f -exec sha256sum {} + | sort -k2) >"$WORK/player-after.sums"
cmp -s "$WORK/player-before.sums" "$WORK/player-after.sums" || fail "the player's files changed"
echo "The player is as it was"

echo "passed"
