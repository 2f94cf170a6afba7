#!/usr/bin/env bash
# A scripted play session of the Linux executable on a virtual display, as a
# player would go through it with mouse and keyboard; each step is checked
# on screenshot regions. Screenshots stay in $PICKRPG_BUILD_DIR/play-sdl.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/play_lib.sh"
source "$(dirname "$0")/play_session.sh"

require_env
require_tools Xvfb openbox xprop xdotool xwininfo xlsfonts import convert
GAME="$PICKRPG_BUILD_DIR/pickrpg"
[ -x "$GAME" ] || unavailable "no executable at $GAME"
data_complete "$PICKRPG_SOURCE_DIR" || unavailable "Data/ holds fewer than $TEXTURE_COUNT images"

SHOTS="$PICKRPG_BUILD_DIR/play-sdl"
ARTIFACTS=$SHOTS
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
trap cleanup EXIT
play_display "$SHOTS"

require_core_fonts

GAME_COMMAND=("$GAME")
PLAY_FOLDER=$PICKRPG_SOURCE_DIR
QUESTION_SECONDS=30
play_session
