# shellcheck shell=bash
# Helpers shared by the install, Debian package and Windows installer tests,
# sourced after lib.sh: the project's version and application id as the
# build knows them, and starting an installed game up to its window.

# The version cmake took from project(... VERSION) for this build.
project_version() {
  sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"
}

# The desktop's name for the game, as cmake/Package.cmake sets it.
app_id() {
  sed -n 's/^set(PICKRPG_APP_ID \(.*\))$/\1/p' "$PICKRPG_SOURCE_DIR/cmake/Package.cmake"
}

# begin_work NAME BUILD: a fresh WORK folder $PICKRPG_BUILD_DIR/NAME (the
# artifacts' too), removed helpers on exit, and the VERSION and ID of the
# build in folder BUILD.
begin_work() {
  WORK="$PICKRPG_BUILD_DIR/$1"
  ARTIFACTS=$WORK
  rm -rf "$WORK"
  mkdir -p "$WORK"
  trap cleanup EXIT
  VERSION=$(project_version "$2")
  ID=$(app_id)
  [ -n "$VERSION" ] && [ -n "$ID" ] || fail "no project version in $2 or no application id"
}

# expect_version VERSION COMMAND...: the command prints exactly
# "pickrpg VERSION" and ends with 0.
expect_version() {
  local expected="pickrpg $1" printed
  shift
  printed=$(timeout 30 "$@" --version 2>&1) || fail "$* --version failed: $printed"
  [ "$printed" = "$expected" ] || fail "$* --version printed \"$printed\", not \"$expected\""
  log "$* --version prints \"$printed\""
}

# play_installed FOLDER LOG COMMAND...: starts the game with --windowed in
# FOLDER (which holds no Data/), which must open the game window without
# asking anything, draw, and end with 0 on Escape.
play_installed() {
  local folder="$1" output="$2"
  shift 2
  [ ! -e "$folder/Data" ] || fail "$folder holds a Data/ folder: the test would not show the search"
  start_game "$folder" "$output" "$@" --windowed
  wait_until 90 game_window_or_question || fail "neither the game window nor a question within 90 s"
  ! window_shown "$QUESTION_TITLE" || fail "--windowed still asked \"$QUESTION_TITLE\""
  wait_for_window "$GAME_TITLE" 5
  expect_client_size "$FOUND_WINDOW"
  [ -z "${DESKTOP_ENTRY:-}" ] || expect_window_class "$FOUND_WINDOW" "$DESKTOP_ENTRY"
  screenshot_game "$FOUND_WINDOW" "${output%.log}.png" yes
  quit_game
}

# expect_window_class WINDOW ENTRY: the desktop entry's StartupWMClass is
# the window's class, by which the desktop ties the running game to the
# entry and shows its icon.
expect_window_class() {
  local class expected
  class=$(xprop -id "$1" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')
  expected=$(sed -n 's/^StartupWMClass=//p' "$2")
  [ -n "$class" ] && [ "$class" = "$expected" ] ||
    fail "window $1 has the class \"$class\", the desktop entry names \"$expected\""
  log "window $1 has the class \"$class\" that the desktop entry names"
}

# Also true once the game has ended, which wait_for_window then reports.
game_window_or_question() {
  window_shown "$GAME_TITLE" || window_shown "$QUESTION_TITLE" || ! game_running
}

# expect_files ROOT PATH...: every path exists under ROOT.
expect_files() {
  local root="$1" path
  shift
  for path in "$@"; do
    [ -e "$root/$path" ] || fail "$root lacks $path"
  done
  log "$root holds the $# expected paths"
}
