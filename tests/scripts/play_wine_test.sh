#!/usr/bin/env bash
# The scripted play session of the Windows executable under Wine on a
# virtual display, in a fresh Wine prefix: the same steps and checks as the
# Linux executable. Screenshots stay in $PICKRPG_BUILD_DIR/play-wine.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/play_lib.sh"
source "$(dirname "$0")/play_session.sh"

require_env
require_tools Xvfb xdotool xwininfo import convert wine wineboot wineserver
require_windows_executable
data_complete "$PICKRPG_SOURCE_DIR" || unavailable "Data/ holds fewer than $TEXTURE_COUNT images"

SHOTS="$PICKRPG_BUILD_DIR/play-wine"
ARTIFACTS=$SHOTS
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
trap cleanup EXIT
start_display "$SHOTS"

fresh_wine_prefix "$SHOTS" -all

GAME_COMMAND=(wine "$EXE")
PLAY_FOLDER=$PICKRPG_SOURCE_DIR
# Escape does not answer a Yes/No box on Windows; the No button's mnemonic does.
NO_KEY=n
QUESTION_SECONDS=90
# A window that was refused full screen keeps its outer size, so its client
# area is a little smaller than 1024 x 768.
FALLBACK_SIZE=smaller
play_session
