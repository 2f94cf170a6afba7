#!/usr/bin/env bash
# The scripted play session of the Windows executable under Wine on a
# virtual display, in a fresh Wine prefix: the same steps and checks as the
# Linux executable. Screenshots stay in $PICKRPG_BUILD_DIR/play-wine.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/play_lib.sh"
source "$(dirname "$0")/play_session.sh"

require_env
require_tools Xvfb xdotool xwininfo import convert compare wine wineboot wineserver
EXE="${PICKRPG_WIN_EXE:-}"
if [ -z "$EXE" ] || [ ! -f "$EXE" ]; then
  unavailable "no Windows executable: PICKRPG_WIN_EXE names none (test.sh sets it)"
fi
data_complete "$PICKRPG_SOURCE_DIR" || unavailable "Data/ holds fewer than $TEXTURE_COUNT images"

SHOTS="$PICKRPG_BUILD_DIR/play-wine"
ARTIFACTS=$SHOTS
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
trap cleanup EXIT
start_display "$SHOTS"

export WINEPREFIX="$SHOTS/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# shellcheck disable=SC2016 # expanded when the step runs
on_exit 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; rm -rf "$WINEPREFIX"'
log "setting up a fresh Wine prefix in $WINEPREFIX"
timeout 300 wineboot -i >"$SHOTS/wineboot.log" 2>&1 ||
  fail "wineboot failed (see $SHOTS/wineboot.log)"
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
  >>"$SHOTS/wineboot.log" 2>&1 || fail "cannot turn off Wine's crash dialog"

GAME_COMMAND=(wine "$EXE")
PLAY_FOLDER=$PICKRPG_SOURCE_DIR
# Escape does not answer a Yes/No box on Windows; the No button's mnemonic does.
NO_KEY=n
QUESTION_SECONDS=90
# A window that was refused full screen keeps its outer size, so its client
# area is a little smaller than 1024 x 768.
FALLBACK_SIZE=smaller
play_session
