#!/usr/bin/env bash
# The Windows packages: cpack makes the release archive
# pickrpg-<version>-win64.zip, whose one folder holds exactly the build's
# pickrpg.exe, README.md, LICENSE and Data/, and the installer
# pickrpg-<version>-win64-setup.exe, tried under Wine in a fresh prefix: its silent
# install puts the game, its data, README.md and LICENSE under Program
# Files, a Start-menu shortcut and an uninstaller registered with Windows;
# the installed game starts from another folder up to its window; the
# silent uninstall leaves no file of the game behind. Everything stays in
# $PICKRPG_BUILD_DIR/nsis-test.
set -u -o pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/install_lib.sh"

require_game cpack unzip makensis wrestool wine wineboot wineserver
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

# Every file and folder under drive C, one path a line.
drive_listing() { (cd "$WINEPREFIX/drive_c" && find . | sort); }

# registry_value NAME: the data of the uninstall key's value, empty when
# there is none.
registry_value() {
  wine reg query "$UNINSTALL_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

# wine_step WHAT COMMAND...: runs a Windows program and waits until every
# process of the prefix has ended: the installer and the uninstaller hand
# over to child processes before they finish.
wine_step() {
  timeout 180 wine "${@:2}" >"$WORK/$1.log" 2>&1 || fail "$1 failed (see $WORK/$1.log)"
  timeout 180 wineserver -w || fail "Wine did not settle within 180 s after $1"
}

log "== the archive and the installer"
(cd "$WIN_BUILD" && cpack -G "NSIS;ZIP" -B "$WORK/packages") >"$WORK/cpack.log" 2>&1 ||
  fail "cpack failed (see $WORK/cpack.log)"
SETUP="$WORK/packages/pickrpg-$VERSION-win64-setup.exe"
[ -f "$SETUP" ] || fail "cpack made no $(basename "$SETUP") (see $WORK/cpack.log)"
check_archive "$WORK/packages/pickrpg-$VERSION-win64.zip" pickrpg.exe
cmp -s "$FOLDER/pickrpg.exe" "$PICKRPG_WIN_EXE" || fail "the archive holds another pickrpg.exe"

start_display "$WORK"
fresh_wine_prefix "$WORK" -all
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
drive_listing >"$WORK/before-install.txt"

log "== silent install"
wine_step install "$SETUP" /S
INSTALLED=$(winepath -u "$INSTALL_DIR" 2>/dev/null)
for file in pickrpg.exe Uninstall.exe README.md LICENSE; do
  [ -f "$INSTALLED/$file" ] || fail "$INSTALL_DIR lacks $file"
done
data_complete "$INSTALLED" || fail "Data/ in $INSTALLED lacks images"
# The shortcut names the installed executable, whose version resource names
# the version (the play session sees its icon on the window). Texts are
# read whole before grep looks at them: a grep -q that stops early would
# fail the pipe.
texts=$(strings "$(winepath -u "$START_MENU_DIR" 2>/dev/null)/pickrpg.lnk")
grep -qxF "$INSTALL_DIR\pickrpg.exe" <<<"$texts" ||
  fail "no Start-menu shortcut to $INSTALL_DIR\pickrpg.exe"
texts=$(wrestool -x --raw --type=16 "$INSTALLED/pickrpg.exe" | strings -e l)
grep -qxF "$VERSION" <<<"$texts" || fail "the executable's version resource does not name $VERSION"
[ "$(registry_value UninstallString)" = "\"$INSTALL_DIR\\Uninstall.exe\"" ] &&
  [ "$(registry_value DisplayVersion)" = "$VERSION" ] ||
  fail "the uninstaller of $VERSION is not registered with Windows"

log "== the installed game, started from another folder"
play_to_window "$WORK/elsewhere" "$WORK/installed-game.log" \
  wine "$INSTALL_DIR\\pickrpg.exe" --windowed
timeout 180 wineserver -w || fail "Wine did not settle after the game"

log "== silent uninstall"
wine_step uninstall "$INSTALL_DIR\\Uninstall.exe" /S
[ -z "$(registry_value UninstallString)" ] || fail "the uninstaller is still registered"
drive_listing >"$WORK/after-uninstall.txt"
# The uninstaller runs from a copy of itself in the temporary folder, which
# Windows deletes at the next start; nothing else may stay.
left=$(comm -13 "$WORK/before-install.txt" "$WORK/after-uninstall.txt" | grep -v '/Temp/' || true)
[ -z "$left" ] || fail "the uninstall left: $left"
log "the uninstall left no file of the game"
