# shellcheck shell=bash
# Helpers shared by the script tests, sourced by each *_test.sh: a private
# virtual display, windows found by title, key taps and waits that always
# end. Every process a test starts is ended by its own id when the test
# exits.
#
# Windows are found by title in the tree of the root window (xdotool search
# misses SDL's message boxes), focused with xdotool windowfocus and typed
# into with xdotool key; a window manager runs only where a test needs one.

# One locale for every tool, whatever the caller's: Wine opens a program on
# a path outside ASCII only under a UTF-8 locale, and sort, awk and date
# then read and write alike everywhere.
export LC_ALL=C.UTF-8
SCREEN_GEOMETRY=1280x1024x24
GAME_SIZE=1024x768
GAME_TITLE="Tavu's Picking Tutorial"
QUESTION_TITLE="Start FullScreen?"
ERROR_TITLE="Error"
TEXTURE_COUNT=26
# A drawn frame has textures and text; a blank one a single colour.
MIN_DRAWN_COLOURS=16
# The longest a screenshot may take on a loaded machine (a deadline for a
# failure only).
IMPORT_SECONDS=60
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

# A failure leaves a picture of the screen beside the test's other files.
fail() {
  log "FAIL: $*"
  [ -z "$XVFB_PID" ] || [ -z "${ARTIFACTS:-}" ] ||
    import -window root "$ARTIFACTS/failure.png" 2>/dev/null
  exit 1
}

# A missing tool or input skips the test, except on CI where everything the
# test needs must be there.
unavailable() {
  [ "${CI:-}" != true ] || fail "$* (required when CI=true)"
  log "SKIP: $*"
  exit 77 # ctest's SKIP_RETURN_CODE
}

require_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || unavailable "missing tool: $tool"
  done
}

require_env() {
  [ -n "${PICKRPG_BUILD_DIR:-}" ] && [ -n "${PICKRPG_SOURCE_DIR:-}" ] ||
    unavailable "PICKRPG_BUILD_DIR and PICKRPG_SOURCE_DIR must be set (ctest sets them)"
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

# The tools and inputs of a test that starts the game; wine when COMMAND is.
require_game() {
  require_env
  data_complete "$PICKRPG_SOURCE_DIR" || unavailable "Data/ holds fewer than $TEXTURE_COUNT images"
  require_tools Xvfb xdotool xwininfo xprop import convert "$@"
}

on_exit() { CLEANUP_STEPS+=("$1"); }

cleanup() {
  local i
  stop_game
  for ((i = ${#CLEANUP_STEPS[@]} - 1; i >= 0; i--)); do
    eval "${CLEANUP_STEPS[$i]}"
  done
  if [ -n "$XVFB_PID" ]; then
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

# start_display FOLDER: Xvfb on a free display number drawn at random from
# a high range: other programs on the machine that assume :0 or :1 never
# reach it, and tests running side by side do not collide (a number taken
# meanwhile makes Xvfb end, and the next one is tried).
start_display() {
  local readyFile="$1/display-ready" attempt number
  for attempt in 1 2 3 4 5; do
    number=$((FIRST_DISPLAY + RANDOM % DISPLAY_RANGE))
    [ ! -e "/tmp/.X$number-lock" ] && [ ! -e "/tmp/.X11-unix/X$number" ] || continue
    rm -f "$readyFile"
    # -noreset: a server that resets when its last client leaves refuses
    # the connections that come meanwhile, and SDL, which opens and closes a
    # probing connection before its real one, then starts without a window.
    Xvfb ":$number" -displayfd 3 -screen 0 "$SCREEN_GEOMETRY" -nolisten tcp -noreset \
      -ardelay "$AUTOREPEAT_DELAY_MS" 3>"$readyFile" >"$1/xvfb.log" 2>&1 &
    XVFB_PID=$!
    # Xvfb writes its display number once it accepts clients, or dies.
    wait_until 20 eval '[ -s "$readyFile" ] || ! kill -0 "$XVFB_PID" 2>/dev/null'
    if [ -s "$readyFile" ]; then
      export DISPLAY=":$number"
      log "Xvfb (pid $XVFB_PID) on display $DISPLAY, $SCREEN_GEOMETRY"
      return 0
    fi
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
  on_exit "kill $! 2>/dev/null; wait $! 2>/dev/null"
  wait_until 20 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
    fail "openbox does not manage the display (see $1/openbox.log)"
}

is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"; }

client_size() {
  xwininfo -id "$1" | awk '/^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {print w "x" h}'
}

# find_window TITLE [SIZE [OTHER_THAN]]: the id of a shown window with
# exactly this title (and a client area of SIZE, and another id than
# OTHER_THAN), if there is one.
find_window() {
  local id
  for id in $(xwininfo -root -tree 2>/dev/null | grep -F "\"$1\": (" | awk '{print $1}'); do
    [ "$id" != "${3:-}" ] || continue
    if is_viewable "$id" && { [ -z "${2:-}" ] || [ "$(client_size "$id")" = "$2" ]; }; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

window_shown() { find_window "$1" >/dev/null; }

# wait_for_window TITLE SECONDS [SIZE]: sets FOUND_WINDOW to the window's id.
wait_for_window() {
  local deadline=$((SECONDS + $2))
  until FOUND_WINDOW=$(find_window "$1" "${3:-}"); do
    game_running || fail "the game ended (code $GAME_EXIT) while waiting for window \"$1\" ${3:-}"
    [ "$SECONDS" -lt "$deadline" ] || fail "no window \"$1\" ${3:-} within $2 s"
    sleep 0.2
  done
}

# press WINDOW KEY...: focuses the window and taps the keys, once. Whoever
# presses waits for the effect; a key is never sent again in case it was
# missed, since that would hide a lost key.
press() {
  xdotool windowfocus "$1" key "${@:2}" 2>/dev/null || fail "cannot tap ${*:2} in window $1"
}

# answer_box TITLE KEY SECONDS: presses a key in the box with this title,
# once the box has the focus, and waits until the box is gone, so that the
# next key cannot reach the game window instead.
answer_box() {
  wait_for_window "$1" "$3"
  local box=$FOUND_WINDOW
  timeout 15 xdotool windowfocus --sync "$box" 2>/dev/null ||
    fail "box \"$1\" does not take the focus"
  xdotool key "$2"
  log "tapped $2 in box \"$1\" ($box)"
  wait_until 15 eval '! is_viewable "$box"' || fail "box \"$1\" still shown after 15 s"
}

# window_drawn WINDOW FILE: a screenshot of the window in FILE shows a
# drawn frame. (import waits for ever on a window that goes while it reads.)
window_drawn() {
  timeout "$IMPORT_SECONDS" import -window "$1" "$2" 2>/dev/null &&
    [ "$(convert "$2" -format %k info:)" -ge "$MIN_DRAWN_COLOURS" ]
}

# play_to_window FOLDER LOG COMMAND...: starts the game in FOLDER; unless
# the command has --windowed, the start-up question comes and NO_KEY
# answers No. Then a 1024 x 768 game window, and no question, comes within
# BOX_SECONDS and draws, and Escape ends the run with 0. With DESKTOP_ENTRY
# set, the entry's StartupWMClass is the window's class, by which the
# desktop ties the running game to the entry and shows its icon.
play_to_window() {
  local class expected
  start_game "$1" "$2" "${@:3}"
  [[ " ${*:3} " == *" --windowed "* ]] || answer_box "$QUESTION_TITLE" "$NO_KEY" "$BOX_SECONDS"
  wait_for_window "$GAME_TITLE" "$BOX_SECONDS" "$GAME_SIZE"
  ! window_shown "$QUESTION_TITLE" || fail "the start-up question was asked after all"
  if [ -n "${DESKTOP_ENTRY:-}" ]; then
    class=$(xprop -id "$FOUND_WINDOW" WM_CLASS |
      sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')
    expected=$(sed -n 's/^StartupWMClass=//p' "$DESKTOP_ENTRY")
    [ -n "$class" ] && [ "$class" = "$expected" ] ||
      fail "the window's class is \"$class\", the desktop entry names \"$expected\""
  fi
  wait_until 30 window_drawn "$FOUND_WINDOW" "${2%.log}.png" || fail "the game window stays blank"
  quit_game
}

# start_game FOLDER LOG COMMAND...: runs the game with FOLDER (which holds
# Data/) as working directory.
start_game() {
  (cd "$1" && exec "${@:3}") >"$2" 2>&1 &
  GAME_PID=$!
  GAME_EXIT=""
  log "started ${*:3} in $1 (pid $GAME_PID), output in $2"
}

game_running() {
  [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null && return 0
  if [ -z "$GAME_EXIT" ] && [ -n "$GAME_PID" ]; then
    wait "$GAME_PID" 2>/dev/null
    GAME_EXIT=$?
  fi
  return 1
}

# expect_exit SECONDS CODE|nonzero
expect_exit() {
  wait_until "$1" eval '! game_running' || fail "the game still runs after $1 s"
  case "$2" in
  nonzero) [ "$GAME_EXIT" -ne 0 ] || fail "exit code 0, expected a failure code" ;;
  *) [ "$GAME_EXIT" -eq "$2" ] || fail "exit code $GAME_EXIT, expected $2" ;;
  esac
  log "the game ended with code $GAME_EXIT"
  GAME_PID=""
}

stop_game() {
  [ -n "$GAME_PID" ] || return 0
  kill "$GAME_PID" 2>/dev/null
  wait_until 5 eval '! kill -0 "$GAME_PID" 2>/dev/null' || kill -9 "$GAME_PID" 2>/dev/null
  wait "$GAME_PID" 2>/dev/null
  GAME_PID=""
}

# expect_output FILE TEXT: the game's output names TEXT (bounded wait).
expect_output() {
  wait_until 15 grep -qF "$2" "$1" || fail "\"$2\" not found in $1"
}

data_complete() {
  [ "$(find "$1/Data" -maxdepth 1 -name '*.tga' 2>/dev/null | wc -l)" -ge "$TEXTURE_COUNT" ]
}

# fresh_wine_prefix FOLDER WINEDEBUG: a new 64-bit Wine prefix in FOLDER/prefix,
# without Mono or Gecko installers and without the crash dialog, removed
# again when the test ends.
fresh_wine_prefix() {
  export WINEPREFIX="$1/prefix" WINEARCH=win64 WINEDEBUG="$2" WINEDLLOVERRIDES="mscoree,mshtml="
  # shellcheck disable=SC2016 # expanded when the step runs
  on_exit 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; rm -rf "$WINEPREFIX"'
  log "setting up a fresh Wine prefix in $WINEPREFIX (the first time takes a while)"
  timeout 300 wineboot -i >"$1/wineboot.log" 2>&1 || fail "wineboot failed (see $1/wineboot.log)"
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >>"$1/wineboot.log" 2>&1 || fail "cannot turn off Wine's crash dialog"
  # Let the prefix's own processes finish their start before the game's
  # first box opens.
  timeout 120 wineserver -w || fail "Wine's server did not settle after the prefix set-up"
}

# quit_game [WINDOW]: Escape in the game window (the one found last) ends
# the run with 0 within a few seconds.
quit_game() {
  press "${1:-$FOUND_WINDOW}" Escape
  expect_exit 15 0
}
