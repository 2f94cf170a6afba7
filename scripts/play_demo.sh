#!/usr/bin/env bash
# Plays the scripted session of the play tests as a demo on a virtual
# display (Xvfb) with the native executable, and leaves the screenshots of
# its steps, named after the steps, in the given folder.
# Usage: scripts/play_demo.sh [FOLDER] (default: screenshots); the executable
# is taken from build/, or from $PICKRPG_BUILD_DIR when that is set.
set -u -o pipefail
cd "$(dirname "$0")/.." || exit 1
source tests/scripts/lib.sh
source tests/scripts/play_session.sh

require_tools Xvfb openbox xprop xdotool xwininfo xlsfonts import convert
GAME="${PICKRPG_BUILD_DIR:-$PWD/build}/pickrpg"
[ -x "$GAME" ] || fail "no executable at $GAME: build it first (./run.sh does)"
data_complete "$PWD" || fail "Data/ holds fewer than $TEXTURE_COUNT images"

SHOTS=$(realpath -m "${1:-screenshots}")
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
# The display's logs and the picture of a failure go there too.
ARTIFACTS=$SHOTS
trap cleanup EXIT
play_display "$ARTIFACTS"
require_core_fonts

GAME_COMMAND=("$GAME")
PLAY_FOLDER=$PWD
QUESTION_SECONDS=30
play_session
