#!/usr/bin/env bash
# End-to-end run of the Windows executable under Wine on a virtual display,
# in a fresh Wine prefix: the same scenarios as the SDL build. Wine refuses
# display-mode changes under Xvfb, so full screen always takes the fallback.
# Screenshots and the game's output stay in $PICKRPG_BUILD_DIR/smoke/wine.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"

require_env
require_tools Xvfb xdotool xwininfo import convert wine wineboot wineserver
EXE="${PICKRPG_WIN_EXE:-}"
if [ -z "$EXE" ] || [ ! -f "$EXE" ]; then
  unavailable "no Windows executable: PICKRPG_WIN_EXE names none (test.sh sets it)"
fi

ARTIFACTS="$PICKRPG_BUILD_DIR/smoke/wine"
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS"
trap cleanup EXIT
start_display "$ARTIFACTS"

export WINEPREFIX="$ARTIFACTS/prefix"
export WINEARCH=win64
# The message box channel prints the text of every box the game shows; no
# Mono or Gecko installers during the prefix set-up.
export WINEDEBUG=-all,trace+msgbox
export WINEDLLOVERRIDES="mscoree,mshtml="
# shellcheck disable=SC2016 # expanded when the step runs
on_exit 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; rm -rf "$WINEPREFIX"'
log "setting up a fresh Wine prefix in $WINEPREFIX (the first time takes a while)"
timeout 300 wineboot -i >"$ARTIFACTS/wineboot.log" 2>&1 ||
  fail "wineboot failed (see $ARTIFACTS/wineboot.log)"
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
  >>"$ARTIFACTS/wineboot.log" 2>&1 || fail "cannot turn off Wine's crash dialog"
# Let the prefix's own processes finish their start before the game's first
# box opens.
timeout 120 wineserver -w || fail "Wine's server did not settle after the prefix set-up"
log "Wine prefix ready, crash dialog off"

GAME_COMMAND=(wine "$EXE")
# Escape does not answer a Yes/No box on Windows; the No button's mnemonic does.
NO_KEY=n
YES_KEY=Return
QUESTION_SECONDS=90
# The document's window keeps its outer size when full screen is refused, so
# its client area is a little smaller than 1024 x 768.
FALLBACK_SIZE=smaller
run_scenarios
