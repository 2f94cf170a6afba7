# shellcheck shell=bash
# Helpers shared by the install, Debian package and Windows installer tests,
# sourced after lib.sh: the project's version and application id as the
# build knows them, the system layout, and listings compared with it. An
# installed game starts from a folder without Data/ and with --windowed:
# no question, and its data found where it was installed.

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
  BOX_SECONDS=90
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

# check_archive ARCHIVE EXECUTABLE: the release archive (.tar.gz or .zip),
# unpacked into a fresh folder, holds exactly one folder named
# after the archive with the one-folder layout: EXECUTABLE, README.md,
# LICENSE and the images in Data/. Sets FOLDER to that folder.
check_archive() {
  local unpacked="$WORK/unpacked-${1##*.}" image
  mkdir -p "$unpacked"
  case "$1" in
  *.zip) unzip -q "$1" -d "$unpacked" ;;
  *) tar -xzf "$1" -C "$unpacked" ;;
  esac || fail "cannot unpack $1"
  FOLDER="$unpacked/$(basename "$1" | sed -E 's/\.(tar\.gz|zip)$//')"
  {
    printf '%s\n' "$2" README.md LICENSE
    for image in "$PICKRPG_SOURCE_DIR"/Data/*.tga; do
      echo "Data/$(basename "$image")"
    done
  } | sed "s|^|$(basename "$FOLDER")/|" | sort >"$unpacked.expected"
  (cd "$unpacked" && find . -type f | cut -c3- | sort) >"$unpacked.files"
  expect_listing "$(basename "$1")" "$unpacked.expected" "$unpacked.files"
  cmp -s "$FOLDER/LICENSE" "$PICKRPG_SOURCE_DIR/LICENSE" || fail "$1 holds another LICENSE"
}
