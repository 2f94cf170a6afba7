#!/usr/bin/env bash
# End-to-end run of the Windows executable under Wine on a virtual display,
# in a fresh Wine prefix: the same scenarios as the SDL build. Wine refuses
# display-mode changes under Xvfb, so full screen always takes the fallback.
# Screenshots and the game's output stay in $PICKRPG_BUILD_DIR/smoke/wine.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"

require_env
require_tools Xvfb xdotool xwininfo xprop import convert wine wineboot wineserver
require_windows_executable

ARTIFACTS="$PICKRPG_BUILD_DIR/smoke/wine"
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"
trap cleanup EXIT
start_display "$ARTIFACTS"

# The message box channel prints the text of every box the game shows.
fresh_wine_prefix "$ARTIFACTS" -all,trace+msgbox

GAME_COMMAND=(wine "$EXE")
# Escape does not answer a Yes/No box on Windows; the No button's mnemonic does.
NO_KEY=n
YES_KEY=Return
QUESTION_SECONDS=90
# A window that was refused full screen keeps its outer size, so
# its client area is a little smaller than 1024 x 768.
FALLBACK_SIZE=smaller
# Wine hands the window's class icons to the window manager.
CHECK_WINDOW_ICON=yes
run_scenarios
