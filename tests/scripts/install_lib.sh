# shellcheck shell=bash
# Helpers shared by the install, Debian package and Windows installer tests,
# sourced after lib.sh: the project's version and application id as the
# build knows them, the system layout, and starting an installed game up to
# its window.

# begin_work NAME BUILD: a fresh WORK folder $PICKRPG_BUILD_DIR/NAME (the
# artifacts' too), removed helpers on exit, the VERSION cmake took from
# project(... VERSION) in folder BUILD and the desktop's name for the game,
# ID, as cmake/Package.cmake sets it.
begin_work() {
  WORK="$PICKRPG_BUILD_DIR/$1"
  ARTIFACTS=$WORK
  rm -rf "$WORK"
  mkdir -p "$WORK"
  trap cleanup EXIT
  VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$2/CMakeCache.txt")
  ID=$(sed -n 's/^set(PICKRPG_APP_ID \(.*\))$/\1/p' "$PICKRPG_SOURCE_DIR/cmake/Package.cmake")
  [ -n "$VERSION" ] && [ -n "$ID" ] || fail "no project version in $2 or no application id"
}

# system_layout BIN MAN_SUFFIX: every file of the system layout, one path a
# line, sorted, the executable in BIN and the manual page and the changelog
# ending in MAN_SUFFIX.
system_layout() {
  local size image
  {
    printf '%s\n' "$1/pickrpg" "share/applications/$ID.desktop" "share/metainfo/$ID.metainfo.xml" \
      "share/man/man6/pickrpg.6$2" share/doc/pickrpg/README.md share/doc/pickrpg/LICENSE \
      "share/doc/pickrpg/changelog$2" share/doc/pickrpg/copyright
    for size in 48 128 256; do
      echo "share/icons/hicolor/${size}x$size/apps/$ID.png"
    done
    for image in "$PICKRPG_SOURCE_DIR"/Data/*.tga; do
      echo "share/games/pickrpg/Data/$(basename "$image")"
    done
  } | sort
}

# expect_listing WHAT EXPECTED ACTUAL: two sorted listings are the same.
expect_listing() {
  diff -u "$2" "$3" >"$3.diff" || fail "$1 differ from the layout: $(cat "$3.diff")"
  log "$1: the $(wc -l <"$3") expected paths"
}

# expect_version VERSION COMMAND...: the command prints exactly
# "pickrpg VERSION" and ends with 0.
expect_version() {
  local printed
  printed=$(timeout 30 "${@:2}" --version 2>&1) || fail "${*:2} --version failed: $printed"
  [ "$printed" = "pickrpg $1" ] || fail "${*:2} --version printed \"$printed\", not \"pickrpg $1\""
}

# play_installed FOLDER LOG COMMAND...: starts the game with --windowed in
# FOLDER (which holds no Data/), which must open a 1024 x 768 game window
# without asking anything, draw, and end with 0 on Escape. With
# DESKTOP_ENTRY set, the entry's StartupWMClass is the window's class, by
# which the desktop ties the running game to the entry and shows its icon.
play_installed() {
  local class expected
  [ ! -e "$1/Data" ] || fail "$1 holds a Data/ folder: the test would not show the search"
  start_game "$1" "$2" "${@:3}" --windowed
  wait_for_window "$GAME_TITLE" 90 "$GAME_SIZE"
  ! window_shown "$QUESTION_TITLE" || fail "--windowed still asked \"$QUESTION_TITLE\""
  if [ -n "${DESKTOP_ENTRY:-}" ]; then
    class=$(xprop -id "$FOUND_WINDOW" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')
    expected=$(sed -n 's/^StartupWMClass=//p' "$DESKTOP_ENTRY")
    [ -n "$class" ] && [ "$class" = "$expected" ] ||
      fail "the window's class is \"$class\", the desktop entry names \"$expected\""
  fi
  wait_until 30 window_drawn "$FOUND_WINDOW" "${2%.log}.png" || fail "the game window stays blank"
  quit_game
}
