#!/usr/bin/env bash
# The release archives: cpack makes the Linux .tar.gz from the native build
# and the win64 .zip from the Windows build. Each holds one folder with
# exactly the executable, README.md, LICENSE and the images in Data/; the
# Linux one prints its version where it was unpacked, the Windows one is the
# executable the build made. (Both executables, started from a copy with
# Data/ beside them, are played by the options tests.) Everything stays in
# $PICKRPG_BUILD_DIR/package-test.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/install_lib.sh"

require_env
require_tools cpack tar unzip
[ -x "$PICKRPG_BUILD_DIR/pickrpg" ] || unavailable "no executable at $PICKRPG_BUILD_DIR/pickrpg"
begin_work package-test "$PICKRPG_BUILD_DIR"
# The Windows build folder: where the executable test.sh names lies, else
# build-win beside the sources.
WIN_BUILD=$(dirname "${PICKRPG_WIN_EXE:-$PICKRPG_SOURCE_DIR/build-win/pickrpg.exe}")

# check_package BUILD GENERATOR PATTERN EXECUTABLE UNPACK...: cpack makes
# one package matching PATTERN in BUILD, which the UNPACK command unpacks
# into $WORK/<generator> holding exactly the files of the one-folder layout;
# sets FOLDER to that folder.
check_package() {
  local out="$WORK/packages-$2" package image
  (cd "$1" && cpack -G "$2" -B "$out") >"$out.log" 2>&1 || fail "cpack failed in $1 (see $out.log)"
  package=$(find "$out" -maxdepth 1 -name "$3")
  [ -f "$package" ] || fail "cpack made not one $3 in $out"
  mkdir -p "$WORK/$2"
  "${@:5}" "$package" "$WORK/$2" || fail "cannot unpack $package"
  FOLDER=$(find "$WORK/$2" -mindepth 1 -maxdepth 1)
  {
    printf '%s\n' "$4" README.md LICENSE
    for image in "$PICKRPG_SOURCE_DIR"/Data/*.tga; do
      echo "Data/$(basename "$image")"
    done
  } | sed "s|^|$(basename "$package" | sed -E 's/\.(tar\.gz|zip)$//')/|" | sort >"$out.expected"
  (cd "$WORK/$2" && find . -type f | cut -c3- | sort) >"$out.files"
  expect_listing "$(basename "$package")" "$out.expected" "$out.files"
  cmp -s "$FOLDER/LICENSE" "$PICKRPG_SOURCE_DIR/LICENSE" || fail "$package has another LICENSE"
}

untar() { tar -xzf "$1" -C "$2"; }
unpack_zip() { unzip -q "$1" -d "$2"; }

log "== the Linux package"
check_package "$PICKRPG_BUILD_DIR" TGZ 'pickrpg-*-linux-*.tar.gz' pickrpg untar
expect_version "$VERSION" "$FOLDER/pickrpg"

log "== the Windows package"
[ -f "$WIN_BUILD/CPackConfig.cmake" ] ||
  unavailable "no configured Windows build in $WIN_BUILD (the Linux package passed)"
check_package "$WIN_BUILD" ZIP 'pickrpg-*-win64.zip' pickrpg.exe unpack_zip
cmp -s "$FOLDER/pickrpg.exe" "$WIN_BUILD/pickrpg.exe" || fail "the zip holds another pickrpg.exe"
log "both packages hold the one-folder layout"
