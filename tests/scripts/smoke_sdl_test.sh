#!/usr/bin/env bash
# End-to-end run of the Linux executable on a virtual display: the start-up
# question, the window's size, a drawn frame, the mode toggle falling back to
# a window, Escape, the full-screen fallback and the missing-texture error.
# Screenshots and the game's output stay in $PICKRPG_BUILD_DIR/smoke/sdl.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"

require_env
require_tools Xvfb xdotool xwininfo xlsfonts import convert
GAME="$PICKRPG_BUILD_DIR/pickrpg"
[ -x "$GAME" ] || unavailable "no executable at $GAME"

ARTIFACTS="$PICKRPG_BUILD_DIR/smoke/sdl"
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"
trap cleanup EXIT
start_display "$ARTIFACTS"

require_core_fonts

GAME_COMMAND=("$GAME")
NO_KEY=Escape
YES_KEY=Return
QUESTION_SECONDS=30
FALLBACK_SIZE=exact
run_scenarios
