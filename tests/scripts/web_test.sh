#!/usr/bin/env bash
# The browser build in Debian's Chromium: tests/web/play_in_browser.mjs
# serves PICKRPG_WEB_DIR (a built build-web) on a free port of 127.0.0.1 and
# drives a headless Chromium (WebGL through SwiftShader) with puppeteer-core,
# installed with npm ci from the lock file: the first frame against the
# native build's reference frame, a play session, phones, a tablet and a
# desktop emulated and played by touch, the WebGL context lost, failing
# downloads, offline play, the console, the frame rate, and a browser
# without WebGL.
set -uo pipefail
source "$(dirname "$0")/lib.sh"

# A seed with which neither C library's first random draw walks the other
# person (glibc's and the browser build's rand() give different
# sequences), so that both builds draw the same first frame.
SEED=3
DRIVER_PID=""
NPM_SECONDS=300
DRIVER_SECONDS=900

require_env
require_tools chromium node npm
WEB_DIR="${PICKRPG_WEB_DIR:-}"
if [ -z "$WEB_DIR" ] || [ ! -f "$WEB_DIR/pickrpg.wasm" ] || [ ! -f "$WEB_DIR/index.html" ]; then
  unavailable "no browser build: set PICKRPG_WEB_DIR to a built build-web (test.sh does)"
fi
REFERENCE_TOOL=$(find "$PICKRPG_BUILD_DIR/tests" -name gl_reference -type f -perm -u+x | head -n 1)
[ -n "$REFERENCE_TOOL" ] || unavailable "gl_reference is not built in $PICKRPG_BUILD_DIR"

ARTIFACTS="$PICKRPG_BUILD_DIR/web-test"
DRIVER_DIR="$PICKRPG_BUILD_DIR/web-driver"
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS/profiles" "$DRIVER_DIR"
trap cleanup EXIT
# shellcheck disable=SC2016 # expanded when the step runs
on_exit 'stop_process_group "$DRIVER_PID"'
# shellcheck disable=SC2016
on_exit 'rm -rf "$ARTIFACTS/profiles"'

# Ends the driver started with setsid and everything it started (its
# browser), by the group's id.
stop_process_group() {
  [ -n "$1" ] || return 0
  kill -- "-$1" 2>/dev/null
  wait "$1" 2>/dev/null
}

# puppeteer-core as the lock file pins it; installed again only when the
# lock file changed.
install_driver() {
  if cmp -s "$PICKRPG_SOURCE_DIR/tests/web/package-lock.json" "$DRIVER_DIR/package-lock.json" &&
    [ -d "$DRIVER_DIR/node_modules/puppeteer-core" ]; then
    return 0
  fi
  cp "$PICKRPG_SOURCE_DIR/tests/web/package.json" "$PICKRPG_SOURCE_DIR/tests/web/package-lock.json" \
    "$DRIVER_DIR/"
  log "installing puppeteer-core with npm ci in $DRIVER_DIR"
  (cd "$DRIVER_DIR" && timeout "$NPM_SECONDS" npm ci --ignore-scripts --no-audit --no-fund) \
    >"$ARTIFACTS/npm.log" 2>&1 || unavailable "npm ci failed (see $ARTIFACTS/npm.log)"
}

install_driver
"$REFERENCE_TOOL" frame --out "$ARTIFACTS/reference.ppm" --seed "$SEED" \
  >"$ARTIFACTS/reference.log" 2>&1 || fail "gl_reference failed (see $ARTIFACTS/reference.log)"
log "native reference frame for seed $SEED in $ARTIFACTS/reference.ppm"

setsid timeout "$DRIVER_SECONDS" node "$PICKRPG_SOURCE_DIR/tests/web/play_in_browser.mjs" \
  --modules "$DRIVER_DIR" --chromium "$(command -v chromium)" \
  --web-dir "$WEB_DIR" --seed "$SEED" \
  --reference "$ARTIFACTS/reference.ppm" --profiles "$ARTIFACTS/profiles" \
  --artifacts "$ARTIFACTS" &
DRIVER_PID=$!
wait "$DRIVER_PID"
status=$?
[ "$status" -eq 0 ] || fail "the browser session failed (code $status); pictures in $ARTIFACTS"
log "the browser session passed; pictures in $ARTIFACTS"
