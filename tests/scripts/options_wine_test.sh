#!/usr/bin/env bash
# The Windows executable's command line and its search for the data under
# Wine, in a fresh prefix on a virtual display. A program of the Windows
# subsystem has no console: --version, --help and mistakes show in a box
# captioned "pickrpg" and also reach the standard streams Wine hands over.
# Then, from a folder without Data/: --windowed with --data, a copy with
# Data/ beside it, and no data anywhere. Logs stay in
# $PICKRPG_BUILD_DIR/options/wine.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"

require_env
require_tools Xvfb xdotool xwininfo wine wineboot wineserver
EXE="${PICKRPG_WIN_EXE:-}"
if [ -z "$EXE" ] || [ ! -f "$EXE" ]; then
  unavailable "no Windows executable: PICKRPG_WIN_EXE names none (test.sh sets it)"
fi
data_complete "$PICKRPG_SOURCE_DIR" || unavailable "Data/ holds fewer than $TEXTURE_COUNT images"
VERSION=$(sed -n 's/^project(pickrpg VERSION \([0-9.]*\).*/\1/p' "$PICKRPG_SOURCE_DIR/CMakeLists.txt")
[ -n "$VERSION" ] || fail "no project version in CMakeLists.txt"
REPLY_TITLE=pickrpg

ARTIFACTS="$PICKRPG_BUILD_DIR/options/wine"
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS/elsewhere" "$ARTIFACTS/game"
trap cleanup EXIT
ELSEWHERE="$ARTIFACTS/elsewhere"
cp "$EXE" "$ARTIFACTS/game/pickrpg.exe"
cp -r "$PICKRPG_SOURCE_DIR/Data" "$ARTIFACTS/game/Data"

start_display "$ARTIFACTS"
# The message box channel prints the text of every box the game shows.
fresh_wine_prefix "$ARTIFACTS" -all,trace+msgbox

# reply NAME CODE ARGUMENTS...: the box captioned "pickrpg" is answered, the
# run ends with CODE; its streams are in NAME.out and NAME.log.
reply() {
  local name="$1" code="$2"
  shift 2
  log "== pickrpg.exe $*"
  (cd "$ELSEWHERE" && exec wine "$EXE" "$@") >"$ARTIFACTS/$name.out" 2>"$ARTIFACTS/$name.log" &
  GAME_PID=$!
  GAME_EXIT=""
  answer_box "$REPLY_TITLE" Return 90
  if [ "$code" -eq 0 ]; then
    expect_exit 15 zero
  else
    expect_exit 15 nonzero
    [ "$GAME_EXIT" -eq "$code" ] || fail "exit code $GAME_EXIT, expected $code"
  fi
}

reply version 0 --version
[ "$(tr -d '\r' <"$ARTIFACTS/version.out")" = "pickrpg $VERSION" ] ||
  fail "--version printed \"$(cat "$ARTIFACTS/version.out")\", not \"pickrpg $VERSION\""
expect_output "$ARTIFACTS/version.log" "L\"pickrpg $VERSION\\n\""
reply help 0 --help
expect_output "$ARTIFACTS/help.out" "  --data DIR    look for the images"
expect_output "$ARTIFACTS/help.log" "L\"Usage: pickrpg"
reply unknown 2 --bogus
expect_output "$ARTIFACTS/unknown.log" 'pickrpg: unknown option "--bogus"'
[ ! -s "$ARTIFACTS/unknown.out" ] || fail "a mistake printed to the standard output"
reply no-folder 2 --windowed --data
expect_output "$ARTIFACTS/no-folder.log" "pickrpg: --data needs a folder"

# play_until_window LOG WHAT COMMAND...: the game window comes without a
# question (nobody answers one, so the window could not come after it), then
# Escape ends the run.
play_until_window() {
  local name="$1"
  log "== $2"
  shift 2
  start_game "$ELSEWHERE" "$ARTIFACTS/$name.log" "$@"
  wait_for_window "$GAME_TITLE" 90
  ! window_shown "$QUESTION_TITLE" || fail "the start-up question was asked"
  quit_game
}

play_until_window with-data "--windowed with --data" \
  wine "$EXE" --windowed --data "$PICKRPG_SOURCE_DIR/Data"
play_until_window beside "Data/ beside a copy of the executable" \
  wine "$ARTIFACTS/game/pickrpg.exe" --windowed

log "== no data anywhere: the box names every folder tried"
start_game "$ELSEWHERE" "$ARTIFACTS/nowhere.log" wine "$EXE" --windowed --data 'C:\nowhere'
answer_box "$ERROR_TITLE" Return 90
expect_exit 15 nonzero
for text in "Cannot load Data/BlueFace.tga\\nFolders tried:" \
  "elsewhere\\\\Data (in the working directory): no such folder" \
  "C:\\\\nowhere (given with --data): no such folder" "(beside the executable): no such folder"; do
  expect_output "$ARTIFACTS/nowhere.log" "$text"
done
log "all command-line checks passed; logs in $ARTIFACTS"
