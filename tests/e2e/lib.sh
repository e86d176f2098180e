# Shared steps of the end-to-end test: an X server, the program's windows, real input
# through the X server, screenshots. Sourced by e2e_test.sh; everything runs inside the
# private mount namespace that script sets up.

E2E_KEYS_HELD=()

fail() {
  echo "FAILED: $*" >&2
  shot "failure" || true
  exit 1
}

# Starts Xvfb on a free display and exports DISPLAY.
start_x() {
  local fd_file="$WORK/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    [ -s "$fd_file" ] && break
    sleep 0.05
  done
  [ -s "$fd_file" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$fd_file")"
}

# Releases every key a step held down: a held key stays held on this X server for every
# later step otherwise.
release_keys() {
  local key
  for key in "${E2E_KEYS_HELD[@]}"; do
    xdotool keyup "$key" 2>/dev/null || true
  done
  E2E_KEYS_HELD=()
}

key_down() {
  E2E_KEYS_HELD+=("$1")
  xdotool keydown "$1"
}

key_up() {
  xdotool keyup "$1"
  local kept=() key
  for key in "${E2E_KEYS_HELD[@]}"; do
    [ "$key" = "$1" ] || kept+=("$key")
  done
  E2E_KEYS_HELD=("${kept[@]}")
}

# The id of the visible window with exactly that title, waiting up to $2 seconds.
wait_window() {
  local title="$1" limit="${2:-15}" id=""
  local tries=$((limit * 20))
  for _ in $(seq 1 "$tries"); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}

# Waits until no visible window has that title.
wait_window_gone() {
  local title="$1" limit="${2:-15}"
  for _ in $(seq 1 $((limit * 20))); do
    xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1 || return 0
    sleep 0.05
  done
  return 1
}

# Sets WIN_X, WIN_Y, WIN_W, WIN_H of a window (its client area, menu bar included).
window_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1" | sed 's/^/WIN_/')"
  WIN_W=$WIN_WIDTH
  WIN_H=$WIN_HEIGHT
}

# Moves the pointer to a point of the window's content (window coordinates, below its menu
# bar: the content is $2 high, so the menu bar is what lies above it).
point_at() {
  local id="$1" content_height="$2" x="$3" y="$4"
  window_geometry "$id"
  local top=$((WIN_Y + WIN_H - content_height))
  xdotool mousemove "$((WIN_X + x))" "$((top + y))"
}

click_at() {
  point_at "$@"
  xdotool click 1
}

# A screenshot, kept with the test's artifacts: of one window ($2), else of the screen.
shot() {
  import -window "${2:-root}" "$ARTIFACTS/$1.png" 2>/dev/null
}

# Waits until a file exists (and, with $2, has that many bytes).
wait_file() {
  local path="$1" size="${2:-}" limit="${3:-30}"
  for _ in $(seq 1 $((limit * 20))); do
    if [ -e "$path" ]; then
      [ -z "$size" ] && return 0
      [ "$(stat -c %s "$path")" = "$size" ] && return 0
    fi
    sleep 0.05
  done
  return 1
}

# The content-y of the middle of each row that a list shows, measured on a screenshot: rows
# are the white runs between grid lines, all of one height; the heading above them and the
# empty space below the last row are not. $1 window id, $2 content height, $3 a content-x
# inside the list away from any text, $4 the list's content top, $5 its height.
row_centres() {
  local id="$1" content_height="$2" x="$3" top="$4" height="$5"
  window_geometry "$id"
  local screen_top=$((WIN_Y + WIN_H - content_height + top))
  import -window root "$WORK/measure.png"
  convert "$WORK/measure.png" -crop "1x${height}+$((WIN_X + x))+${screen_top}" -depth 8 txt:- |
    awk -F'[(),]' -v top="$top" '
      NR == 1 { next }
      {
        split($0, at, "[,:]"); y = at[2] + 0
        if ($(NF - 1) + 0 >= 250) { if (from < 0) from = y; next }
        if (from >= 0 && y - from >= 10) { n++; start[n] = from; size[n] = y - from }
        from = -1
      }
      BEGIN { from = -1 }
      END { for (i = 1; i <= n; i++) if (size[i] == size[1]) print top + start[i] + int(size[i] / 2) }'
}

# Whether the list row at content ($3, $4) shows as selected (the selection's colour, not
# white or grey).
row_selected() {
  local id="$1" content_height="$2" x="$3" y="$4"
  window_geometry "$id"
  import -window root "$WORK/measure.png"
  convert "$WORK/measure.png" -crop "1x1+$((WIN_X + x))+$((WIN_Y + WIN_H - content_height + y))" -depth 8 txt:- |
    awk -F'[(),]' 'NR == 2 { r = $3 + 0; g = $4 + 0; b = $5 + 0; exit !(b > r + 40) }'
}

# A fingerprint of what a part of a window's content shows (content x, y, width, height).
region_print() {
  local id="$1" content_height="$2" x="$3" y="$4" w="$5" h="$6"
  window_geometry "$id"
  import -window root "$WORK/region.png"
  convert "$WORK/region.png" -crop "${w}x${h}+$((WIN_X + x))+$((WIN_Y + WIN_H - content_height + y))" rgb:- | md5sum
}

# Runs the command $2... until what it prints differs from $1 and has settled (the same in
# four looks in a row, so that a button still drawn pressed while its action runs does not
# count; at most 10 s); prints the new output, or fails.
wait_change() {
  local before="$1" now="" previous="" same=0
  shift
  for _ in $(seq 1 200); do
    now=$("$@")
    if [ "$now" = "$previous" ]; then same=$((same + 1)); else same=0; fi
    previous=$now
    [ "$now" != "$before" ] && [ "$same" -ge 3 ] && { echo "$now"; return 0; }
    sleep 0.05
  done
  return 1
}

# Waits until a window has the keyboard focus.
wait_focus() {
  for _ in $(seq 1 100); do
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
    xdotool windowfocus "$1" 2>/dev/null || true
    sleep 0.05
  done
  return 1
}

# Waits until a window has drawn itself: two looks at it in a row show the same picture, and
# it is not one flat colour.
wait_drawn() {
  local previous="" now=""
  for _ in $(seq 1 100); do
    import -window "$1" "$WORK/drawn.png" 2>/dev/null || true
    if [ "$(convert "$WORK/drawn.png" -format %k info: 2>/dev/null || echo 1)" -gt 1 ]; then
      now=$(md5sum <"$WORK/drawn.png")
      [ "$now" = "$previous" ] && return 0
      previous=$now
    fi
    sleep 0.05
  done
  return 1
}

# The visible windows of the X server, one id a line.
visible_windows() { xdotool search --onlyvisible --name '' 2>/dev/null | sort; }
