#!/usr/bin/env bash
# Makes the two pictures of README.md from a scripted demo session: the game
# in play (the item pile window open, a vase just dropped beside the
# player) and the inventory window, scaled to 800 pixels wide, in docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
WIDTH=800
shots=build/readme-pictures
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target pickrpg
PICKRPG_BUILD_DIR=$PWD/build scripts/play_demo.sh "$shots"
mkdir -p docs
picture() {
  local source
  source=$(find "$shots" -name "[0-9][0-9]-$1.png" | head -n 1)
  [ -n "$source" ] || { echo "no screenshot of the step $1 in $shots" >&2; exit 1; }
  # A palette of 256 colours keeps each picture near 200 KB.
  convert "$source" -resize "${WIDTH}x" -strip -colors 256 "PNG8:docs/$2"
  echo "docs/$2 from $source"
}
picture vase-dropped game.png
picture inventory inventory.png
