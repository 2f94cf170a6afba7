#!/usr/bin/env bash
# The Windows executable's command line and its search for the data under
# Wine, in a fresh prefix on a virtual display (see options_session.sh). A
# program of the Windows subsystem has no console: its replies show in a
# box captioned "pickrpg" and also reach the standard streams Wine hands
# over. Logs stay in $PICKRPG_BUILD_DIR/options/wine.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/options_session.sh"

require_game wine wineboot wineserver
require_windows_executable
ARTIFACTS="$PICKRPG_BUILD_DIR/options/wine"
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS/game"
trap cleanup EXIT
cp -r "$EXE" "$PICKRPG_SOURCE_DIR/Data" "$ARTIFACTS/game/"
start_display "$ARTIFACTS"
# The message box channel prints the start of every box's text.
fresh_wine_prefix "$ARTIFACTS" -all,trace+msgbox

GAME_COMMAND=(wine "$EXE")
BESIDE=(wine "$ARTIFACTS/game/pickrpg.exe")
REPLY_BOX=pickrpg
NO_KEY=n
BOX_SECONDS=90
# The installer puts Data/ beside the executable: no installed data folder.
FOLDERS_TRIED=("given with --data" "in the working directory" "beside the executable")
options_session
# The reply is in the box, not only on the stream.
expect_output "$ARTIFACTS/version.err" "L\"pickrpg $VERSION\\n\""
