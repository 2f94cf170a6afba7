#!/usr/bin/env bash
# The system layout on Linux, as `cmake --install` gives it and as the
# Debian package holds it under /usr (the game in games/, the manual page
# and the changelog compressed):
# - cmake --install into a temporary prefix lands exactly the layout; the
#   desktop entry and the AppStream metadata validate;
# - cpack makes pickrpg_<version>_<arch>.deb from the native build, and the
#   release archive pickrpg-<version>-linux-<arch>.tar.gz, whose one folder
#   holds exactly the game, README.md, LICENSE and Data/, and whose game
#   prints its version where it was unpacked;
# - the .deb:
#   lintian finds no error and no warning in it (the manual page's roff
#   text included); its control fields (dependencies read from the
#   executable's libraries) and its file list are checked;
# - the package unpacked with dpkg -x elsewhere starts from / up to its
#   window: the data is found relative to the executable, and the window's
#   class is the desktop entry's StartupWMClass.
# Installing it changes the machine, so that happens only as root with
# CI=true, where the machine is thrown away after the run: dpkg -i, a start
# from / up to the game window, then dpkg -r, after which every path the
# package brought is gone. Everything stays in $PICKRPG_BUILD_DIR/deb-test.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/install_lib.sh"

require_game cmake cpack tar dpkg dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli \
  xlsfonts
[ -x "$PICKRPG_BUILD_DIR/pickrpg" ] || unavailable "no executable at $PICKRPG_BUILD_DIR/pickrpg"
begin_work deb-test "$PICKRPG_BUILD_DIR"
ARCH=$(dpkg --print-architecture)
PREFIX="$WORK/prefix"

log "== cmake --install into $PREFIX"
cmake --install "$PICKRPG_BUILD_DIR" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
  fail "cmake --install failed (see $WORK/install.log)"
# Exactly these files: the one-folder layout of the archives stays out.
system_layout bin "" >"$WORK/expected-installed.txt"
(cd "$PREFIX" && find . -type f | cut -c3- | sort) >"$WORK/installed.txt"
expect_listing "the installed files" "$WORK/expected-installed.txt" "$WORK/installed.txt"
for size in 48 128 256; do
  cmp -s "$PREFIX/share/icons/hicolor/${size}x$size/apps/$ID.png" \
    "$PICKRPG_SOURCE_DIR/dist/icons/pickrpg-$size.png" || fail "the ${size}x$size icon is another"
done
desktop-file-validate "$PREFIX/share/applications/$ID.desktop" >"$WORK/desktop.log" 2>&1 ||
  fail "desktop-file-validate: $(cat "$WORK/desktop.log")"
grep -qxF "Icon=$ID" "$PREFIX/share/applications/$ID.desktop" ||
  fail "the desktop entry does not name the installed icon $ID"
appstreamcli validate --no-net "$PREFIX/share/metainfo/$ID.metainfo.xml" \
  >"$WORK/appstream.log" 2>&1 || fail "appstreamcli validate: $(cat "$WORK/appstream.log")"
grep -qF "<release version=\"$VERSION\"" "$PREFIX/share/metainfo/$ID.metainfo.xml" ||
  fail "the metadata has no release entry for $VERSION"

log "== the packages: the archive; lintian, control fields and contents of the .deb"
(cd "$PICKRPG_BUILD_DIR" && cpack -G "DEB;TGZ" -B "$WORK/packages") >"$WORK/cpack.log" 2>&1 ||
  fail "cpack failed (see $WORK/cpack.log)"
DEB="$WORK/packages/pickrpg_${VERSION}_$ARCH.deb"
[ -f "$DEB" ] || fail "cpack made no $(basename "$DEB") (see $WORK/cpack.log)"
check_archive "$(find "$WORK/packages" -maxdepth 1 -name "pickrpg-$VERSION-linux-*.tar.gz")" \
  pickrpg
expect_version "$VERSION" "$FOLDER/pickrpg"
# Information tags (-I) are shown, but only errors and warnings fail.
lintian -I --fail-on error,warning "$DEB" >"$WORK/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$WORK/lintian.log")"
[ "$(dpkg-deb -f "$DEB" Version)" = "$VERSION" ] &&
  [ "$(dpkg-deb -f "$DEB" Architecture)" = "$ARCH" ] || fail "wrong version or architecture"
depends=$(dpkg-deb -f "$DEB" Depends)
# Versioned entries come from dpkg-shlibdeps reading the executable.
for library in 'libc6 (>= ' 'libsdl2-2.0-0 (>= ' 'libstdc++6 (>= ' libgl1; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
system_layout games .gz | sed 's|^|./usr/|' >"$WORK/expected-files.txt"
dpkg-deb -c "$DEB" | awk '$1 ~ /^-/ {print $6}' | sort >"$WORK/files.txt"
expect_listing "the package's files" "$WORK/expected-files.txt" "$WORK/files.txt"

log "== the unpacked package"
dpkg-deb -x "$DEB" "$WORK/unpacked" || fail "dpkg-deb -x failed"
start_display "$WORK"
require_core_fonts
DESKTOP_ENTRY="$WORK/unpacked/usr/share/applications/$ID.desktop"
play_to_window / "$WORK/unpacked-game.log" "$WORK/unpacked/usr/games/pickrpg" --windowed
[ "$(id -u)" -eq 0 ] && [ "${CI:-}" = true ] || exit 0

log "== dpkg -i on a machine that is thrown away after the run"
dpkg -s pickrpg >/dev/null 2>&1 && fail "pickrpg is installed already: the test would replace it"
# Which of the package's paths (folders too) the machine lacks before.
dpkg-deb -c "$DEB" | awk '{print substr($6, 2)}' | sed 's|/$||' | grep -v '^$' |
  while read -r path; do
    [ -e "$path" ] || echo "$path"
  done >"$WORK/new-paths.txt"
on_exit 'dpkg -s pickrpg >/dev/null 2>&1 && dpkg -r pickrpg >/dev/null 2>&1'
dpkg -i "$DEB" >"$WORK/dpkg-install.log" 2>&1 || fail "dpkg -i failed (see $WORK/dpkg-install.log)"
play_to_window / "$WORK/installed-game.log" /usr/games/pickrpg --windowed

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
