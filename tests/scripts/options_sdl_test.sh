#!/usr/bin/env bash
# The Linux executable's command line and its search for the data, run for
# real: --version, --help, mistakes and their exit codes without a display;
# then on a virtual display, started from folders without Data/: --windowed
# with --data, through a symbolic link to an executable with Data/ beside it,
# from an installed tree, and with no data anywhere (the error names every
# folder tried). Logs stay in $PICKRPG_BUILD_DIR/options/sdl.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"

require_env
require_tools Xvfb xdotool xwininfo xlsfonts
GAME="$PICKRPG_BUILD_DIR/pickrpg"
[ -x "$GAME" ] || unavailable "no executable at $GAME"
data_complete "$PICKRPG_SOURCE_DIR" || unavailable "Data/ holds fewer than $TEXTURE_COUNT images"
VERSION=$(sed -n 's/^project(pickrpg VERSION \([0-9.]*\).*/\1/p' "$PICKRPG_SOURCE_DIR/CMakeLists.txt")
[ -n "$VERSION" ] || fail "no project version in CMakeLists.txt"

ARTIFACTS="$PICKRPG_BUILD_DIR/options/sdl"
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS/elsewhere"
trap cleanup EXIT
TREE=$(cd "$ARTIFACTS" && pwd -P)
ELSEWHERE="$TREE/elsewhere"

# A copy of the game with Data/ beside it, reached through a link in another
# folder, and an installed tree: bin/ and share/games/pickrpg/Data.
mkdir -p "$TREE/game" "$TREE/links" "$TREE/prefix/bin" "$TREE/prefix/share/games/pickrpg"
cp "$GAME" "$TREE/game/pickrpg"
cp -r "$PICKRPG_SOURCE_DIR/Data" "$TREE/game/Data"
ln -s ../game/pickrpg "$TREE/links/pickrpg"
cp "$GAME" "$TREE/prefix/bin/pickrpg"
cp -r "$PICKRPG_SOURCE_DIR/Data" "$TREE/prefix/share/games/pickrpg/Data"

# run_quietly NAME ARGUMENTS...: runs the game from a folder without Data/,
# its streams and exit code in NAME.out, NAME.err and CODE.
run_quietly() {
  local name="$1"
  shift
  (cd "$ELSEWHERE" && timeout 30 "$@") >"$ARTIFACTS/$name.out" 2>"$ARTIFACTS/$name.err"
  CODE=$?
}

expect_code() {
  [ "$CODE" -eq "$2" ] || fail "$1: exit code $CODE, expected $2"
}

expect_in() {
  grep -qF -- "$2" "$ARTIFACTS/$1" || fail "$1 lacks \"$2\""
}

log "== replies without a display"
unset DISPLAY WAYLAND_DISPLAY
run_quietly version "$GAME" --version
expect_code --version 0
[ "$(cat "$ARTIFACTS/version.out")" = "pickrpg $VERSION" ] ||
  fail "--version printed \"$(cat "$ARTIFACTS/version.out")\", not \"pickrpg $VERSION\""
run_quietly help "$GAME" --help
expect_code --help 0
expect_in help.out "Usage: pickrpg"
expect_in help.out "$ELSEWHERE/Data (in the working directory)"
run_quietly unknown "$GAME" --windowed --bogus
expect_code "an unknown option" 2
[ "$(head -n 1 "$ARTIFACTS/unknown.err")" = 'pickrpg: unknown option "--bogus"' ] ||
  fail "the unknown option is not named first: $(head -n 1 "$ARTIFACTS/unknown.err")"
expect_in unknown.err "Usage: pickrpg"
[ ! -s "$ARTIFACTS/unknown.out" ] || fail "a mistake printed to the standard output"
run_quietly no-folder "$GAME" --data
expect_code "--data without a folder" 2
expect_in no-folder.err "pickrpg: --data needs a folder"
# The kernel's link to the executable leads past the symbolic link.
run_quietly linked-help "$TREE/links/pickrpg" --help
expect_in linked-help.out "$TREE/game/Data (beside the executable)"
expect_in linked-help.out "$TREE/share/games/pickrpg/Data (installed data)"
run_quietly installed-help "$TREE/prefix/bin/pickrpg" --help
expect_in installed-help.out "$TREE/prefix/share/games/pickrpg/Data (installed data)"
log "version, help and both mistakes answered with the right codes"

start_display "$ARTIFACTS"
[ -n "$(xlsfonts -fn '-*-*-medium-r-normal--*-120-*-*-*-*-*-*' 2>/dev/null)" ] ||
  unavailable "no X core fonts for SDL's message boxes (Debian package xfonts-base)"

# play_until_window LOG WHAT COMMAND...: the game window comes without a
# question (nobody answers one, so the window could not come after it), then
# Escape ends the run.
play_until_window() {
  local name="$1"
  log "== $2"
  shift 2
  start_game "$ELSEWHERE" "$ARTIFACTS/$name.log" "$@"
  wait_for_window "$GAME_TITLE" 30
  ! window_shown "$QUESTION_TITLE" || fail "the start-up question was asked"
  quit_game
}

play_until_window with-data "--windowed with --data" \
  "$GAME" --windowed --data "$PICKRPG_SOURCE_DIR/Data"
play_until_window linked "through a link, Data/ beside the real file" \
  "$TREE/links/pickrpg" --windowed
play_until_window installed "an installed tree, started from another folder" \
  "$TREE/prefix/bin/pickrpg" --windowed

log "== no data anywhere: the box names every folder tried"
start_game "$ELSEWHERE" "$ARTIFACTS/nowhere.log" "$GAME" --windowed --data "$TREE/nowhere"
answer_box "$ERROR_TITLE" Return 30
expect_exit 10 nonzero
for line in "Cannot load Data/BlueFace.tga" "Folders tried:" \
  "$ELSEWHERE/Data (in the working directory): no such folder" \
  "$TREE/nowhere (given with --data): no such folder" \
  "(beside the executable): no such folder" "(installed data): no such folder"; do
  expect_output "$ARTIFACTS/nowhere.log" "$line"
done

log "== a data folder without Font.tga: that image is missing, not the data"
data_without "$TREE/lacking" Font.tga
start_game "$ELSEWHERE" "$ARTIFACTS/lacking.log" "$GAME" --windowed --data "$TREE/lacking/Data"
answer_box "$ERROR_TITLE" Return 30
expect_exit 10 nonzero
expect_output "$ARTIFACTS/lacking.log" "Cannot load Data/Font.tga"
expect_output "$ARTIFACTS/lacking.log" "$TREE/lacking/Data (given with --data): Font.tga is missing"
log "all command-line checks passed; logs in $ARTIFACTS"
