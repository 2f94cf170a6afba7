#!/usr/bin/env bash
# Makes the two pictures of README.md with the play session's steps: the
# game in play (the item pile window open, a vase just dropped beside the
# player) and the inventory window, scaled to 800 pixels wide, in docs/.
set -u -o pipefail
cd "$(dirname "$0")/.." || exit 1
source tests/scripts/lib.sh
source tests/scripts/play_session.sh

WIDTH=800
# The pile of vases lies on square (20, 8); the item pile window's grid
# fills the right half of its window, whose first icon is centred on
# (256, 42); the vase goes down on the square beside the player.
PILE_SQUARE=(20 8)
FIRST_PILE_ICON=(256 42)
DROP_SQUARE=(15 14)

require_tools Xvfb openbox xprop xdotool xwininfo import convert
cmake -S . -B build -G Ninja >/dev/null && cmake --build build --target pickrpg ||
  fail "cannot build the game"
SHOTS=$PWD/build/readme-pictures
ARTIFACTS=$SHOTS
rm -rf "$SHOTS"
mkdir -p "$SHOTS" docs
trap cleanup EXIT
play_display "$SHOTS"
GAME_COMMAND=("$PWD/build/pickrpg")
PLAY_FOLDER=$PWD
QUESTION_SECONDS=30

# keep_picture FILE: the newest screenshot, in docs/FILE.
keep_picture() {
  # A palette of 256 colours keeps each picture near 200 KB.
  convert "$LAST_SHOT" -resize "${WIDTH}x" -strip -colors 256 "PNG8:docs/$1" ||
    fail "cannot write docs/$1"
  log "docs/$1 from $LAST_SHOT"
}

# Each input is followed by parking the cursor, which returns once a frame
# drawn after that input is on screen; while the vase is held the cursor
# shows the vase, so the drop follows the take at once.
session_start
press "$GAME_WINDOW" g
park_cursor
# shellcheck disable=SC2046 # two numbers
click $(square_position "${PILE_SQUARE[@]}")
park_cursor
click "${FIRST_PILE_ICON[@]}"
# shellcheck disable=SC2046 # two numbers
click $(square_position "${DROP_SQUARE[@]}")
park_cursor
shot vase-dropped
keep_picture game.png
press "$GAME_WINDOW" i
park_cursor
shot inventory
keep_picture inventory.png
quit_game "$GAME_WINDOW"
