#!/usr/bin/env bash
# The scripted play session of the Windows executable under Wine on a
# virtual display, in a fresh Wine prefix: the same steps and checks as the
# Linux executable. Screenshots stay in $PICKRPG_BUILD_DIR/play-wine.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/play_session.sh"

require_game openbox wine wineboot wineserver
require_windows_executable
SHOTS="$PICKRPG_BUILD_DIR/play-wine"
ARTIFACTS=$SHOTS
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
trap cleanup EXIT
play_display "$SHOTS"
fresh_wine_prefix "$SHOTS" -all

GAME_COMMAND=(wine "$EXE")
PLAY_FOLDER=$PICKRPG_SOURCE_DIR
QUESTION_SECONDS=90
# Wine hands the window's class icons to the window manager.
CHECK_WINDOW_ICON=yes
play_session
