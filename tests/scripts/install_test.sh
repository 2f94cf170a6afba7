#!/usr/bin/env bash
# `cmake --install` of the native build into a temporary prefix: the
# executable, the data, the desktop entry, the icons, the AppStream
# metadata, the manual page and the docs land where the desktop and man
# look for them; the desktop entry and the metadata validate; the installed
# game prints its version and, after the whole prefix has been moved, starts
# from / up to its window without asking anything. Everything stays in
# $PICKRPG_BUILD_DIR/install-test.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/install_lib.sh"

require_env
require_tools cmake desktop-file-validate appstreamcli groff Xvfb xdotool xwininfo xprop xlsfonts \
  import convert
[ -x "$PICKRPG_BUILD_DIR/pickrpg" ] || unavailable "no executable at $PICKRPG_BUILD_DIR/pickrpg"
begin_work install-test "$PICKRPG_BUILD_DIR"
PREFIX="$WORK/prefix"

log "== cmake --install into $PREFIX"
cmake --install "$PICKRPG_BUILD_DIR" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
  fail "cmake --install failed (see $WORK/install.log)"
expect_files "$PREFIX" bin/pickrpg \
  "share/applications/$ID.desktop" \
  "share/icons/hicolor/48x48/apps/$ID.png" \
  "share/icons/hicolor/128x128/apps/$ID.png" \
  "share/icons/hicolor/256x256/apps/$ID.png" \
  "share/metainfo/$ID.metainfo.xml" \
  share/man/man6/pickrpg.6 \
  share/doc/pickrpg/README.md share/doc/pickrpg/LICENSE
data_complete "$PREFIX/share/games/pickrpg" || fail "share/games/pickrpg/Data lacks images"
# The one-folder layout of the archives stays out of a prefix install.
[ ! -e "$PREFIX/Data" ] && [ ! -e "$PREFIX/pickrpg" ] || fail "the one-folder layout was installed too"
for size in 48 128 256; do
  [ "$(identify -format %wx%h "$PREFIX/share/icons/hicolor/${size}x$size/apps/$ID.png")" = \
    "${size}x$size" ] || fail "the ${size}x$size icon has another size"
done

log "== the desktop entry, the metadata and the manual page"
desktop-file-validate "$PREFIX/share/applications/$ID.desktop" >"$WORK/desktop.log" 2>&1 ||
  fail "desktop-file-validate: $(cat "$WORK/desktop.log")"
grep -qxF "Icon=$ID" "$PREFIX/share/applications/$ID.desktop" ||
  fail "the desktop entry does not name the installed icon $ID"
appstreamcli validate --no-net "$PREFIX/share/metainfo/$ID.metainfo.xml" \
  >"$WORK/appstream.log" 2>&1 || fail "appstreamcli validate: $(cat "$WORK/appstream.log")"
grep -qF "<release version=\"$VERSION\"" "$PREFIX/share/metainfo/$ID.metainfo.xml" ||
  fail "the metadata has no release entry for $VERSION"
# -ww: every warning groff knows; a mistake in the roff text shows as one.
LC_ALL=C.UTF-8 groff -man -ww -z "$PREFIX/share/man/man6/pickrpg.6" >"$WORK/man.log" 2>&1 &&
  [ ! -s "$WORK/man.log" ] || fail "groff on the manual page: $(cat "$WORK/man.log")"
log "desktop entry, AppStream metadata and manual page are valid"

log "== the installed game"
# An installed tree finds its data relative to the executable, wherever the
# prefix ends up.
mv "$PREFIX" "$WORK/moved"
PREFIX="$WORK/moved"
expect_version "$VERSION" "$PREFIX/bin/pickrpg"
start_display "$WORK"
require_core_fonts
DESKTOP_ENTRY="$PREFIX/share/applications/$ID.desktop"
play_installed / "$WORK/installed-game.log" "$PREFIX/bin/pickrpg"
log "the installed game runs from / after its prefix moved"
