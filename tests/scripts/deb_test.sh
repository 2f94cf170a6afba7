#!/usr/bin/env bash
# The Debian package: cpack -G DEB makes pickrpg_<version>_<arch>.deb from
# the native build; lintian finds no error and no warning in it, and its
# control fields (dependencies read from the executable's libraries) and
# its file list are checked.
#
# Installing it changes the machine, so that happens only as root with
# CI=true, where the machine is thrown away after the run: dpkg -i,
# pickrpg --version from the PATH, a start from / up to the game window,
# then dpkg -r, after which every path the package brought is gone.
# Anywhere else the package is unpacked with dpkg -x and the unpacked game
# is started from / instead. Everything stays in
# $PICKRPG_BUILD_DIR/deb-test.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/install_lib.sh"

require_env
require_tools cpack dpkg dpkg-deb dpkg-shlibdeps lintian Xvfb xdotool xwininfo xlsfonts import convert
[ -x "$PICKRPG_BUILD_DIR/pickrpg" ] || unavailable "no executable at $PICKRPG_BUILD_DIR/pickrpg"
begin_work deb-test "$PICKRPG_BUILD_DIR"
ARCH=$(dpkg --print-architecture)

on_a_throwaway_machine() { [ "$(id -u)" -eq 0 ] && [ "${CI:-}" = true ]; }

# The files the package must hold, each path as dpkg-deb -c shows it.
expected_files() {
  local image
  printf '%s\n' ./usr/games/pickrpg "./usr/share/applications/$ID.desktop" \
    "./usr/share/metainfo/$ID.metainfo.xml" ./usr/share/man/man6/pickrpg.6.gz \
    ./usr/share/doc/pickrpg/README.md ./usr/share/doc/pickrpg/LICENSE \
    ./usr/share/doc/pickrpg/changelog.gz ./usr/share/doc/pickrpg/copyright
  for size in 48 128 256; do
    echo "./usr/share/icons/hicolor/${size}x$size/apps/$ID.png"
  done
  for image in "$PICKRPG_SOURCE_DIR"/Data/*.tga; do
    echo "./usr/share/games/pickrpg/Data/$(basename "$image")"
  done
}

# field NAME: the control field of the package.
field() { dpkg-deb -f "$DEB" "$1"; }

log "== making the package"
(cd "$PICKRPG_BUILD_DIR" && cpack -G DEB -B "$WORK/packages") >"$WORK/cpack.log" 2>&1 ||
  fail "cpack -G DEB failed (see $WORK/cpack.log)"
DEB="$WORK/packages/pickrpg_${VERSION}_$ARCH.deb"
[ -f "$DEB" ] || fail "cpack made no $(basename "$DEB") (see $WORK/cpack.log)"
dpkg-deb -I "$DEB" >"$WORK/control.txt" || fail "dpkg-deb cannot read $DEB"
log "cpack made $DEB"

log "== lintian, control fields and contents"
# Information tags (-I) are shown, but only errors and warnings fail.
lintian -I --fail-on error,warning "$DEB" >"$WORK/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$WORK/lintian.log")"
[ "$(field Version)" = "$VERSION" ] && [ "$(field Architecture)" = "$ARCH" ] ||
  fail "wrong version or architecture"
depends=$(field Depends)
# Versioned entries come from dpkg-shlibdeps reading the executable.
for library in 'libc6 (>= ' 'libsdl2-2.0-0 (>= ' 'libstdc++6 (>= ' libgl1; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
log "Depends: $depends"
dpkg-deb -c "$DEB" | awk '$1 ~ /^-/ {print $6}' | sort >"$WORK/files.txt"
expected_files | sort >"$WORK/expected-files.txt"
diff -u "$WORK/expected-files.txt" "$WORK/files.txt" >"$WORK/files.diff" ||
  fail "the package's files differ from the layout: $(cat "$WORK/files.diff")"
log "the package holds the $(wc -l <"$WORK/files.txt") files of the system layout under /usr"

start_display "$WORK"
require_core_fonts

if ! on_a_throwaway_machine; then
  log "== not root with CI=true: the package is unpacked, not installed"
  dpkg-deb -x "$DEB" "$WORK/unpacked" || fail "dpkg-deb -x failed"
  expect_version "$VERSION" "$WORK/unpacked/usr/games/pickrpg"
  play_installed / "$WORK/unpacked-game.log" "$WORK/unpacked/usr/games/pickrpg"
  log "the unpacked game runs from /"
  exit 0
fi

log "== dpkg -i on a machine that is thrown away after the run"
dpkg -s pickrpg >/dev/null 2>&1 && fail "pickrpg is installed already: the test would replace it"
# Which of the package's paths (folders too) the machine has before.
dpkg-deb -c "$DEB" | awk '{print substr($6, 2)}' | sed 's|/$||' | grep -v '^$' >"$WORK/paths.txt"
while read -r path; do
  [ -e "$path" ] || echo "$path"
done <"$WORK/paths.txt" >"$WORK/new-paths.txt"
on_exit 'dpkg -s pickrpg >/dev/null 2>&1 && dpkg -r pickrpg >/dev/null 2>&1'
dpkg -i "$DEB" >"$WORK/dpkg-install.log" 2>&1 || fail "dpkg -i failed (see $WORK/dpkg-install.log)"
expect_version "$VERSION" /usr/games/pickrpg
play_installed / "$WORK/installed-game.log" /usr/games/pickrpg

log "== dpkg -r"
dpkg -r pickrpg >"$WORK/dpkg-remove.log" 2>&1 || fail "dpkg -r failed (see $WORK/dpkg-remove.log)"
# Forgotten, or known as not installed; "config-files" would mean files left.
status=$(dpkg-query -W -f='${db:Status-Status}' pickrpg 2>/dev/null)
[ -z "$status" ] || [ "$status" = not-installed ] || fail "pickrpg is \"$status\" after dpkg -r"
while read -r path; do
  [ ! -e "$path" ] || echo "$path"
done <"$WORK/new-paths.txt" >"$WORK/left.txt"
[ ! -s "$WORK/left.txt" ] || fail "dpkg -r left: $(cat "$WORK/left.txt")"
log "dpkg -r removed all $(wc -l <"$WORK/new-paths.txt") paths the package brought"
