#!/usr/bin/env bash
# The Linux executable's command line and its search for the data (see
# options_session.sh): the replies without a display, the rest on a virtual
# display; the copy with Data/ beside it is reached through a symbolic link
# in another folder. Logs stay in $PICKRPG_BUILD_DIR/options/sdl.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/options_session.sh"

require_game xlsfonts
GAME="$PICKRPG_BUILD_DIR/pickrpg"
[ -x "$GAME" ] || unavailable "no executable at $GAME"
ARTIFACTS="$PICKRPG_BUILD_DIR/options/sdl"
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS/game" "$ARTIFACTS/links"
trap cleanup EXIT
cp -r "$GAME" "$PICKRPG_SOURCE_DIR/Data" "$ARTIFACTS/game/"
ln -s ../game/pickrpg "$ARTIFACTS/links/pickrpg"
start_display "$ARTIFACTS"
require_core_fonts

GAME_COMMAND=("$GAME")
BESIDE=("$ARTIFACTS/links/pickrpg")
REPLY_BOX=""
NO_KEY=Escape
BOX_SECONDS=30
FOLDERS_TRIED=("given with --data" "in the working directory" "beside the executable"
  "installed data")
options_session
