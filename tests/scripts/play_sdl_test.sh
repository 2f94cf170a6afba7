#!/usr/bin/env bash
# The scripted play session (play_session.sh) of the Linux executable, as
# the demo of run.sh plays it. Screenshots stay in $PICKRPG_BUILD_DIR/play-sdl.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
require_env
exec bash "$PICKRPG_SOURCE_DIR/scripts/play_demo.sh" "$PICKRPG_BUILD_DIR/play-sdl"
