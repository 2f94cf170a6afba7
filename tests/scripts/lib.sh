# shellcheck shell=bash
# Helpers shared by the script tests, sourced by each *_test.sh: a private
# virtual display, windows found by title, key taps, screenshots and waits
# that always end. Every process a test starts is ended by its own id when
# the test exits.
#
# Windows are found by title in the tree of the root window (xdotool search
# misses SDL's message boxes), focused with xdotool windowfocus and typed
# into with xdotool key; a window manager runs only where a test needs one.

SKIPPED=77
# One locale for every tool, whatever the caller's: Wine opens a program on
# a path outside ASCII only under a UTF-8 locale, and sort, awk and date
# then read and write alike everywhere.
export LC_ALL=C.UTF-8
SCREEN_GEOMETRY=1280x1024x24
GAME_WIDTH=1024
GAME_HEIGHT=768
GAME_TITLE="Tavu's Picking Tutorial"
QUESTION_TITLE="Start FullScreen?"
ERROR_TITLE="Error"
TEXTURE_COUNT=26
# A drawn frame has textures and text; a blank one a single colour.
MIN_DRAWN_COLOURS=16
# Keys are tapped: the shell keeps a key-down until the game has read it,
# however soon the key-up follows. The server's auto-repeat starts late
# enough never to add presses of its own, which could answer the next box.
AUTOREPEAT_DELAY_MS=10000
FIRST_DISPLAY=200
DISPLAY_RANGE=700

XVFB_PID=""
FOUND_WINDOW=""
GAME_PID=""
GAME_EXIT=""
CLEANUP_STEPS=()

log() { echo "[$(date +%H:%M:%S)] $*"; }

fail() {
  log "FAIL: $*"
  if [ -n "${DISPLAY:-}" ] && [ -n "$XVFB_PID" ]; then
    log "windows on $DISPLAY:"
    xwininfo -root -tree 2>/dev/null | grep -F '": (' | grep -vF '"Default IME"'
    [ -z "${ARTIFACTS:-}" ] || import -window root "$ARTIFACTS/failure.png" 2>/dev/null
  fi
  if [ -n "$GAME_PID" ]; then
    log "game processes:"
    ps -o pid,ppid,stat,wchan:24,args -p "$GAME_PID" --ppid "$GAME_PID" 2>/dev/null
  fi
  exit 1
}

# A missing tool or input skips the test, except on CI where everything the
# test needs must be there.
unavailable() {
  if [ "${CI:-}" = true ]; then
    fail "$* (required when CI=true)"
  fi
  log "SKIP: $*"
  exit "$SKIPPED"
}

require_tools() {
  local absent=()
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || absent+=("$tool")
  done
  [ ${#absent[@]} -eq 0 ] || unavailable "missing tools: ${absent[*]}"
}

require_env() {
  if [ -z "${PICKRPG_BUILD_DIR:-}" ] || [ -z "${PICKRPG_SOURCE_DIR:-}" ]; then
    unavailable "PICKRPG_BUILD_DIR and PICKRPG_SOURCE_DIR must be set (ctest sets them)"
  fi
}

# SDL draws its message boxes with the X core fonts.
require_core_fonts() {
  [ -n "$(xlsfonts -fn '-*-*-medium-r-normal--*-120-*-*-*-*-*-*' 2>/dev/null)" ] ||
    unavailable "no X core fonts for SDL's message boxes (Debian package xfonts-base)"
}

# Sets EXE to the Windows executable test.sh built.
require_windows_executable() {
  EXE="${PICKRPG_WIN_EXE:-}"
  [ -n "$EXE" ] && [ -f "$EXE" ] ||
    unavailable "no Windows executable: PICKRPG_WIN_EXE names none (test.sh sets it)"
}

on_exit() { CLEANUP_STEPS+=("$1"); }

cleanup() {
  local i
  stop_game
  for ((i = ${#CLEANUP_STEPS[@]} - 1; i >= 0; i--)); do
    eval "${CLEANUP_STEPS[$i]}"
  done
  if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
}

# wait_until SECONDS COMMAND...: true as soon as COMMAND succeeds.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  while ! "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# Starts Xvfb on a free display number drawn at random from a high range:
# other programs on the machine that assume :0 or :1 never reach it, and
# tests running side by side do not collide.
start_display() {
  local readyFile="$1/display-ready" attempt number
  for attempt in 1 2 3 4 5; do
    number=$((FIRST_DISPLAY + RANDOM % DISPLAY_RANGE))
    if [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; then
      continue
    fi
    rm -f "$readyFile"
    # -noreset: a server that resets when its last client leaves refuses
    # the connections that come meanwhile, and SDL, which opens and closes a
    # probing connection before its real one, then starts without a window.
    Xvfb ":$number" -displayfd 3 -screen 0 "$SCREEN_GEOMETRY" -nolisten tcp -noreset \
      -ardelay "$AUTOREPEAT_DELAY_MS" 3>"$readyFile" >"$1/xvfb.log" 2>&1 &
    XVFB_PID=$!
    wait_until 20 display_settled "$readyFile"
    if [ -s "$readyFile" ]; then
      DISPLAY=":$number"
      export DISPLAY
      wait_until 10 xwininfo -root >/dev/null 2>&1 || fail "display $DISPLAY does not answer"
      log "Xvfb (pid $XVFB_PID) on display $DISPLAY, $SCREEN_GEOMETRY"
      return 0
    fi
    log "Xvfb could not take display :$number (attempt $attempt)"
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
  done
  fail "Xvfb did not start (see $1/xvfb.log)"
}

# start_window_manager FOLDER: openbox on the display, ended with the test;
# returns once it manages the screen.
start_window_manager() {
  openbox --sm-disable >"$1/openbox.log" 2>&1 &
  local pid=$!
  on_exit "kill $pid 2>/dev/null; wait $pid 2>/dev/null"
  wait_until 20 window_manager_running || fail "openbox does not manage the display (see $1/openbox.log)"
  log "openbox (pid $pid) manages display $DISPLAY"
}

window_manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

# Xvfb writes its display number once it accepts clients, or dies.
display_settled() { [ -s "$1" ] || ! kill -0 "$XVFB_PID" 2>/dev/null; }

is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"; }

# The id of a shown window with exactly this title, if there is one.
find_window() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null | grep -F "\"$1\": (" | awk '{print $1}'); do
    if is_viewable "$id"; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# wait_for_window TITLE SECONDS: sets FOUND_WINDOW to the window's id.
wait_for_window() {
  local deadline=$((SECONDS + $2))
  while ! FOUND_WINDOW=$(find_window "$1"); do
    game_running || fail "the game ended (code $GAME_EXIT) while waiting for window \"$1\""
    [ "$SECONDS" -lt "$deadline" ] || fail "no window \"$1\" within $2 s"
    sleep 0.2
  done
}

wait_window_gone() {
  wait_until "$2" eval "! is_viewable $1" || fail "window $1 still shown after $2 s"
}

# press KEY WINDOW: focuses the window and taps the key, once. Whoever
# presses waits for the effect; a key is never sent again in case it was
# missed, since that would hide a lost key.
press() {
  xdotool windowfocus "$2" key "$1" 2>/dev/null || fail "cannot tap $1 in window $2"
  log "tapped $1 in window $2"
}

window_shown() { find_window "$1" >/dev/null; }

game_ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }

# answer_box TITLE KEY SECONDS: presses a key in the box with this title and
# waits until the box is gone, so that the next key cannot reach the game
# window instead.
answer_box() {
  wait_for_window "$1" "$3"
  local box=$FOUND_WINDOW
  log "box \"$1\" is shown (window $box)"
  # The key goes out once the box has the focus (a deadline only for a
  # failure). A tap, not a held key: the box must be gone before anything
  # else comes.
  timeout 15 xdotool windowfocus --sync "$box" 2>/dev/null || fail "box $box does not take the focus"
  xdotool key "$2"
  log "tapped $2 in box $box"
  wait_window_gone "$box" 15
}

client_size() {
  xwininfo -id "$1" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w "x" h}'
}

# The window's area on the screen as an ImageMagick crop geometry.
screen_area() {
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4}
    /^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w "x" h "+" x "+" y}'
}

colours_in() { convert "$1" -crop "$2" +repage -format %k info:; }

# screenshot_game WINDOW FILE MUST_BE_DRAWN: with MUST_BE_DRAWN=yes, waits
# until the window's area shows a drawn frame.
screenshot_game() {
  local area colours deadline=$((SECONDS + 30))
  area=$(screen_area "$1")
  while :; do
    import -window root "$2"
    colours=$(colours_in "$2" "$area")
    [ "$3" = yes ] || break
    [ "$colours" -lt "$MIN_DRAWN_COLOURS" ] || break
    [ "$SECONDS" -lt "$deadline" ] || fail "window $1 still blank ($colours colours) after 30 s: $2"
    sleep 1
  done
  log "screenshot $2: $colours colours in the window's area $area"
}

expect_client_size() {
  local size
  size=$(client_size "$1")
  [ "$size" = "${GAME_WIDTH}x${GAME_HEIGHT}" ] ||
    fail "client area is $size, not ${GAME_WIDTH}x${GAME_HEIGHT}"
  log "client area of window $1 is $size"
}

# The window shows the game's icon, the player's blue face, at every size
# the window manager was given (_NET_WM_ICON: width, height, then ARGB
# pixels, icon after icon): most of each icon's opaque pixels are blue. A
# window without an icon of its own gets the system's, with no blue at all.
expect_game_icon() {
  local sizes
  sizes=$(xprop -id "$1" -notype -f _NET_WM_ICON 32c _NET_WM_ICON | awk 'BEGIN { RS = "," }
    { gsub(/[^0-9]/, ""); if ($0 != "") v[n++] = $0 + 0 }
    END {
      for (i = 0; i + 2 <= n;) {
        w = v[i++]; h = v[i++]; opaque = 0; blue = 0
        for (k = 0; k < w * h && i < n; k++) {
          p = v[i++]; r = int(p / 65536) % 256; g = int(p / 256) % 256; b = p % 256
          if (p >= 2147483648) { opaque++; if (b > r + 40 && b > g + 20) blue++ }
        }
        printf "%s%dx%d:%d:%d", separator, w, h, opaque, blue; separator = " "
        if (blue * 2 <= opaque) bad = 1
      }
      exit (n == 0 || bad)
    }') || fail "window $1 does not show the game's icon (size:opaque:blue pixels: ${sizes:-none})"
  log "window $1 shows the game's icon (size:opaque:blue pixels: $sizes)"
}

# start_game FOLDER LOG COMMAND...: runs the game with FOLDER (which holds
# Data/) as working directory.
start_game() {
  local folder="$1" output="$2"
  shift 2
  (cd "$folder" && exec "$@") >"$output" 2>&1 &
  GAME_PID=$!
  GAME_EXIT=""
  log "started $* in $folder (pid $GAME_PID), output in $output"
}

game_running() {
  [ -n "$GAME_PID" ] || return 1
  kill -0 "$GAME_PID" 2>/dev/null && return 0
  collect_exit
  return 1
}

collect_exit() {
  if [ -z "$GAME_EXIT" ] && [ -n "$GAME_PID" ]; then
    wait "$GAME_PID" 2>/dev/null
    GAME_EXIT=$?
  fi
}

# expect_exit SECONDS zero|nonzero
expect_exit() {
  wait_until "$1" game_ended || fail "the game still runs after $1 s"
  collect_exit
  case "$2" in
  zero) [ "$GAME_EXIT" -eq 0 ] || fail "exit code $GAME_EXIT, expected 0" ;;
  nonzero) [ "$GAME_EXIT" -ne 0 ] || fail "exit code 0, expected a failure code" ;;
  esac
  log "the game ended with code $GAME_EXIT"
  GAME_PID=""
}

stop_game() {
  [ -n "$GAME_PID" ] || return 0
  if kill -0 "$GAME_PID" 2>/dev/null; then
    kill "$GAME_PID" 2>/dev/null
    wait_until 5 game_ended || kill -9 "$GAME_PID" 2>/dev/null
  fi
  wait "$GAME_PID" 2>/dev/null
  GAME_PID=""
}

# expect_output FILE TEXT: the game's output names TEXT (bounded wait).
expect_output() {
  wait_until 15 grep -qF "$2" "$1" || fail "\"$2\" not found in $1"
  log "output names \"$2\""
}

data_complete() {
  local count
  count=$(find "$1/Data" -maxdepth 1 -name '*.tga' 2>/dev/null | wc -l)
  [ "$count" -ge "$TEXTURE_COUNT" ]
}

# fresh_wine_prefix FOLDER WINEDEBUG: a new 64-bit Wine prefix in FOLDER/prefix,
# without Mono or Gecko installers and without the crash dialog, removed
# again when the test ends.
fresh_wine_prefix() {
  export WINEPREFIX="$1/prefix"
  export WINEARCH=win64
  export WINEDEBUG="$2"
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # shellcheck disable=SC2016 # expanded when the step runs
  on_exit 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; rm -rf "$WINEPREFIX"'
  log "setting up a fresh Wine prefix in $WINEPREFIX (the first time takes a while)"
  timeout 300 wineboot -i >"$1/wineboot.log" 2>&1 ||
    fail "wineboot failed (see $1/wineboot.log)"
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >>"$1/wineboot.log" 2>&1 || fail "cannot turn off Wine's crash dialog"
  # Let the prefix's own processes finish their start before the game's
  # first box opens.
  timeout 120 wineserver -w || fail "Wine's server did not settle after the prefix set-up"
  log "Wine prefix ready, crash dialog off"
}

# A copy of the data folder without one file, in a fresh folder.
data_without() {
  local folder="$1" missing="$2"
  rm -rf "$folder"
  mkdir -p "$folder/Data"
  cp "$PICKRPG_SOURCE_DIR"/Data/*.tga "$folder/Data/" 2>/dev/null
  rm -f "$folder/Data/$missing"
}

# quit_game [WINDOW]: Escape in the game window (the one found last) ends
# the run with 0 within a few seconds.
quit_game() {
  press Escape "${1:-$FOUND_WINDOW}"
  expect_exit 15 zero
}
