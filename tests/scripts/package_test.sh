#!/usr/bin/env bash
# The release archives: cpack makes the Linux .tar.gz from the native build
# and the win64 .zip from the Windows build; each is unpacked into a fresh
# folder and the game is started from there (answer No, the window draws,
# Escape ends it with code 0), the Windows one under Wine. Everything stays
# in $PICKRPG_BUILD_DIR/package-test.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"

require_env
require_tools cpack tar unzip Xvfb xdotool xwininfo xlsfonts import convert
WORK="$PICKRPG_BUILD_DIR/package-test"
ARTIFACTS=$WORK
rm -rf "$WORK"
mkdir -p "$WORK"
trap cleanup EXIT

# The Windows build folder: where the executable test.sh names lies, else
# build-win beside the sources.
if [ -n "${PICKRPG_WIN_EXE:-}" ]; then
  WIN_BUILD=$(dirname "$PICKRPG_WIN_EXE")
else
  WIN_BUILD="$PICKRPG_SOURCE_DIR/build-win"
fi

# make_package BUILD_DIR GENERATOR PATTERN: runs cpack with the generator in
# the build folder and prints the package it made.
make_package() {
  local out package
  out="$WORK/packages-$(basename "$1")"
  (cd "$1" && cpack -G "$2" -B "$out") >"$out.log" 2>&1 || fail "cpack failed in $1 (see $out.log)"
  package=$(find "$out" -maxdepth 1 -name "$3" | head -n 1)
  [ -n "$package" ] || fail "cpack made no $3 in $out"
  log "cpack made $package" >&2
  echo "$package"
}

# check_layout FOLDER EXECUTABLE: the package's top folder holds the
# executable, Data/, README.md and LICENSE.
check_layout() {
  local folder="$1" executable="$2"
  [ -f "$folder/$executable" ] || fail "no $executable in $folder"
  [ -f "$folder/README.md" ] || fail "no README.md in $folder"
  cmp -s "$folder/LICENSE" "$PICKRPG_SOURCE_DIR/LICENSE" || fail "no LICENSE in $folder"
  [ "$(ls "$folder" | wc -l)" -eq 4 ] || fail "$folder holds more: $(ls "$folder")"
  [ "$(ls "$(dirname "$folder")" | wc -l)" -eq 1 ] || fail "the package has more than one top folder"
  data_complete "$folder" || fail "Data/ in $folder lacks images"
  log "$folder holds $executable, README.md, LICENSE and Data/ ($(ls "$folder/Data" | wc -l) files)"
}

# play_unpacked FOLDER NO_KEY QUESTION_SECONDS COMMAND...
play_unpacked() {
  local folder="$1" noKey="$2" seconds="$3"
  shift 3
  start_game "$folder" "$WORK/$(basename "$folder").log" "$@"
  answer_box "$QUESTION_TITLE" "$noKey" "$seconds"
  wait_for_window "$GAME_TITLE" 30
  expect_client_size "$FOUND_WINDOW"
  screenshot_game "$FOUND_WINDOW" "$WORK/$(basename "$folder").png" yes
  quit_game
}

start_display "$WORK"

log "== the Linux package"
[ -x "$PICKRPG_BUILD_DIR/pickrpg" ] || unavailable "no executable at $PICKRPG_BUILD_DIR/pickrpg"
require_core_fonts
tarball=$(make_package "$PICKRPG_BUILD_DIR" TGZ 'pickrpg-*-linux-*.tar.gz')
mkdir -p "$WORK/linux"
tar -xzf "$tarball" -C "$WORK/linux" || fail "cannot unpack $tarball"
linuxFolder="$WORK/linux/$(basename "$tarball" .tar.gz)"
check_layout "$linuxFolder" pickrpg
play_unpacked "$linuxFolder" Escape 30 ./pickrpg

log "== the Windows package"
if [ ! -f "$WIN_BUILD/CPackConfig.cmake" ]; then
  unavailable "no configured Windows build in $WIN_BUILD (the Linux package passed)"
fi
require_tools wine wineboot wineserver
zip=$(make_package "$WIN_BUILD" ZIP 'pickrpg-*-win64.zip')
mkdir -p "$WORK/windows"
unzip -q "$zip" -d "$WORK/windows" || fail "cannot unpack $zip"
windowsFolder="$WORK/windows/$(basename "$zip" .zip)"
check_layout "$windowsFolder" pickrpg.exe

fresh_wine_prefix "$WORK" -all
play_unpacked "$windowsFolder" n 90 wine ./pickrpg.exe
log "both packages run from their unpacked folders"
