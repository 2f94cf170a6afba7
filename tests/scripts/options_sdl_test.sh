#!/usr/bin/env bash
# The Linux executable's command line and its search for the data (see
# options_session.sh): the replies without a display, the rest on a virtual
# display; the copy with Data/ beside it is reached through a symbolic link
# in another folder. Logs stay in $PICKRPG_BUILD_DIR/options/sdl.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/options_session.sh"

require_env
require_tools Xvfb xdotool xwininfo xlsfonts
GAME="$PICKRPG_BUILD_DIR/pickrpg"
[ -x "$GAME" ] || unavailable "no executable at $GAME"
data_complete "$PICKRPG_SOURCE_DIR" || unavailable "Data/ holds fewer than $TEXTURE_COUNT images"
ARTIFACTS="$PICKRPG_BUILD_DIR/options/sdl"
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS/game" "$ARTIFACTS/links"
trap cleanup EXIT
cp "$GAME" "$ARTIFACTS/game/pickrpg"
cp -r "$PICKRPG_SOURCE_DIR/Data" "$ARTIFACTS/game/Data"
ln -s ../game/pickrpg "$ARTIFACTS/links/pickrpg"
start_display "$ARTIFACTS"
require_core_fonts

GAME_COMMAND=("$GAME")
BESIDE=("$ARTIFACTS/links/pickrpg")
REPLY_BOX=""
BOX_SECONDS=30
FOLDERS_TRIED=("given with --data" "in the working directory" "beside the executable"
  "installed data")
options_session
