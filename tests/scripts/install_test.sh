#!/usr/bin/env bash
# `cmake --install` of the native build into a temporary prefix: exactly
# the system layout lands where the desktop and man look for it; the
# desktop entry, the metadata and the manual page validate; the installed
# game prints its version and, after the whole prefix has been moved,
# starts from / up to its window without asking anything. Everything stays
# in $PICKRPG_BUILD_DIR/install-test.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/install_lib.sh"

require_game cmake desktop-file-validate appstreamcli groff xlsfonts
[ -x "$PICKRPG_BUILD_DIR/pickrpg" ] || unavailable "no executable at $PICKRPG_BUILD_DIR/pickrpg"
begin_work install-test "$PICKRPG_BUILD_DIR"
PREFIX="$WORK/prefix"

log "== cmake --install into $PREFIX"
cmake --install "$PICKRPG_BUILD_DIR" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
  fail "cmake --install failed (see $WORK/install.log)"
# Exactly these files: the one-folder layout of the archives stays out.
system_layout bin "" >"$WORK/expected-files.txt"
(cd "$PREFIX" && find . -type f | cut -c3- | sort) >"$WORK/files.txt"
expect_listing "the installed files" "$WORK/expected-files.txt" "$WORK/files.txt"
for size in 48 128 256; do
  cmp -s "$PREFIX/share/icons/hicolor/${size}x$size/apps/$ID.png" \
    "$PICKRPG_SOURCE_DIR/dist/icons/pickrpg-$size.png" || fail "the ${size}x$size icon is another"
done

log "== the desktop entry, the metadata and the manual page"
ENTRY="$PREFIX/share/applications/$ID.desktop"
desktop-file-validate "$ENTRY" >"$WORK/desktop.log" 2>&1 ||
  fail "desktop-file-validate: $(cat "$WORK/desktop.log")"
grep -qxF "Icon=$ID" "$ENTRY" || fail "the desktop entry does not name the installed icon $ID"
appstreamcli validate --no-net "$PREFIX/share/metainfo/$ID.metainfo.xml" \
  >"$WORK/appstream.log" 2>&1 || fail "appstreamcli validate: $(cat "$WORK/appstream.log")"
grep -qF "<release version=\"$VERSION\"" "$PREFIX/share/metainfo/$ID.metainfo.xml" ||
  fail "the metadata has no release entry for $VERSION"
# -ww: every warning groff knows; a mistake in the roff text shows as one.
groff -man -ww -z "$PREFIX/share/man/man6/pickrpg.6" >"$WORK/man.log" 2>&1 &&
  [ ! -s "$WORK/man.log" ] || fail "groff on the manual page: $(cat "$WORK/man.log")"

log "== the installed game"
# An installed tree finds its data relative to the executable, wherever the
# prefix ends up.
mv "$PREFIX" "$WORK/moved"
expect_version "$VERSION" "$WORK/moved/bin/pickrpg"
start_display "$WORK"
require_core_fonts
DESKTOP_ENTRY="$WORK/moved/share/applications/$ID.desktop"
play_installed / "$WORK/installed-game.log" "$WORK/moved/bin/pickrpg"
log "the installed game runs from / after its prefix moved"
