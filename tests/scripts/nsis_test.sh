#!/usr/bin/env bash
# The Windows installer under Wine, in a fresh prefix: cpack -G NSIS makes
# pickrpg-<version>-win64-setup.exe from the Windows build; its silent
# install puts the game, its data, README.md and LICENSE under Program
# Files, a Start-menu shortcut and an uninstaller registered with Windows;
# the installed game starts from another folder up to its window; the
# silent uninstall leaves no file of the game behind. Everything stays in
# $PICKRPG_BUILD_DIR/nsis-test.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/install_lib.sh"

require_env
require_tools cpack makensis wrestool wine wineboot wineserver Xvfb xdotool xwininfo import convert
if [ -z "${PICKRPG_WIN_EXE:-}" ] || [ ! -f "$(dirname "$PICKRPG_WIN_EXE")/CPackConfig.cmake" ]; then
  unavailable "no configured Windows build: PICKRPG_WIN_EXE names none (test.sh sets it)"
fi
WIN_BUILD=$(dirname "$PICKRPG_WIN_EXE")
begin_work nsis-test "$WIN_BUILD"
mkdir -p "$WORK/elsewhere"
INSTALL_DIR='C:\Program Files\pickrpg'
START_MENU_DIR='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\pickrpg'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\pickrpg'
# Wine's desktop integration writes menus and icons into the user's home:
# those go to the test's folder, and the installer's shortcuts make none.
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data"

unix_path() { winepath -u "$1" 2>/dev/null; }

# Every file and folder under drive C, one path a line.
drive_listing() { (cd "$WINEPREFIX/drive_c" && find . | sort); }

# registry_value KEY NAME: the value's data, empty when there is none.
registry_value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

# Waits until every process of the prefix has ended: the installer and the
# uninstaller hand over to child processes before they finish.
settle_wine() {
  timeout 180 wineserver -w || fail "Wine did not settle within 180 s after $1"
}

log "== making the installer"
(cd "$WIN_BUILD" && cpack -G NSIS -B "$WORK/packages") >"$WORK/cpack.log" 2>&1 ||
  fail "cpack -G NSIS failed (see $WORK/cpack.log)"
SETUP="$WORK/packages/pickrpg-$VERSION-win64-setup.exe"
[ -f "$SETUP" ] || fail "cpack made no $(basename "$SETUP") (see $WORK/cpack.log)"
log "cpack made $SETUP"

start_display "$WORK"
fresh_wine_prefix "$WORK" -all
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
drive_listing >"$WORK/before-install.txt"

log "== silent install"
timeout 180 wine "$SETUP" /S >"$WORK/install.log" 2>&1 || fail "the silent install failed"
settle_wine "the install"
INSTALLED=$(unix_path "$INSTALL_DIR")
expect_files "$INSTALLED" pickrpg.exe Uninstall.exe README.md LICENSE
data_complete "$INSTALLED" || fail "Data/ in $INSTALLED lacks images"
cmp -s "$INSTALLED/LICENSE" "$PICKRPG_SOURCE_DIR/LICENSE" || fail "the installed LICENSE differs"
# The shortcut names the installed executable; its icon is the executable's.
SHORTCUT="$(unix_path "$START_MENU_DIR")/pickrpg.lnk"
[ -f "$SHORTCUT" ] || fail "no Start-menu shortcut at $START_MENU_DIR\\pickrpg.lnk"
# (Texts are read whole before grep looks at them: a grep -q that stops
# early would fail the pipe.)
texts=$(strings "$SHORTCUT")
grep -qxF "$INSTALL_DIR\pickrpg.exe" <<<"$texts" ||
  fail "the shortcut does not lead to $INSTALL_DIR\pickrpg.exe"
resources=$(wrestool -l "$INSTALLED/pickrpg.exe")
grep -qF "type=group_icon" <<<"$resources" || fail "the installed executable carries no icon"
texts=$(wrestool -x --raw --type=16 "$INSTALLED/pickrpg.exe" | strings -e l)
grep -qxF "$VERSION" <<<"$texts" ||
  fail "the installed executable's version resource does not name $VERSION"
uninstaller=$(registry_value "$UNINSTALL_KEY" UninstallString)
[ "$uninstaller" = "\"$INSTALL_DIR\\Uninstall.exe\"" ] ||
  fail "the registered uninstaller is \"$uninstaller\""
registered=$(registry_value "$UNINSTALL_KEY" DisplayVersion)
[ "$registered" = "$VERSION" ] || fail "Windows knows version \"$registered\", not $VERSION"
log "installed in $INSTALL_DIR with a Start-menu shortcut and a registered uninstaller"

log "== the installed game, started from another folder"
play_installed "$WORK/elsewhere" "$WORK/installed-game.log" wine "$INSTALL_DIR\\pickrpg.exe"
settle_wine "the game"

log "== silent uninstall"
timeout 180 wine "$INSTALL_DIR\\Uninstall.exe" /S >"$WORK/uninstall.log" 2>&1 ||
  fail "the silent uninstall failed"
settle_wine "the uninstall"
[ -z "$(registry_value "$UNINSTALL_KEY" UninstallString)" ] ||
  fail "the uninstaller is still registered"
drive_listing >"$WORK/after-uninstall.txt"
# The uninstaller runs from a copy of itself in the temporary folder, which
# Windows deletes at the next start; nothing else may stay.
left=$(comm -13 "$WORK/before-install.txt" "$WORK/after-uninstall.txt" | grep -v '/Temp/' || true)
[ -z "$left" ] || fail "the uninstall left: $left"
log "the uninstall left no file of the game"
