#!/usr/bin/env bash
# The browser build in Debian's Chromium: tests/web/play_in_browser.mjs has
# Python's server serve PICKRPG_WEB_DIR (a built build-web) on a free port
# of 127.0.0.1 and drives a headless Chromium (WebGL through SwiftShader)
# with puppeteer-core, installed with npm ci from the lock file: the first
# frame against the native build's reference frame, a tablet and phones
# emulated and played by touch, the WebGL context lost, full screen, offline
# play, the console, and pages that must say what went wrong (failing
# downloads, rejected shaders, a browser without WebGL).
set -uo pipefail
source "$(dirname "$0")/lib.sh"

# A seed with which neither C library's first random draw walks the other
# person (glibc's and the browser build's rand() give different
# sequences), so that both builds draw the same first frame.
SEED=3
DRIVER_PID=""

require_env
require_tools chromium node npm python3
WEB_DIR="${PICKRPG_WEB_DIR:-}"
[ -f "$WEB_DIR/pickrpg.wasm" ] ||
  unavailable "no browser build: set PICKRPG_WEB_DIR to a built build-web (test.sh does)"
REFERENCE_TOOL="$PICKRPG_BUILD_DIR/tests/gfx/es/gl_reference"
[ -x "$REFERENCE_TOOL" ] || unavailable "gl_reference is not built in $PICKRPG_BUILD_DIR"

ARTIFACTS="$PICKRPG_BUILD_DIR/web-test"
DRIVER_DIR="$PICKRPG_BUILD_DIR/web-driver"
rm -rf "$ARTIFACTS"
mkdir -p "$ARTIFACTS/profiles" "$DRIVER_DIR"
trap cleanup EXIT
# The driver was started with setsid: its group's id ends it and whatever
# it left running; the browsers' profiles go with the run.
# shellcheck disable=SC2016 # expanded when the step runs
on_exit '[ -z "$DRIVER_PID" ] || kill -- "-$DRIVER_PID" 2>/dev/null; rm -rf "$ARTIFACTS/profiles"'

# puppeteer-core as the lock file pins it; installed again only when the
# lock file changed.
if ! cmp -s "$PICKRPG_SOURCE_DIR/tests/web/package-lock.json" "$DRIVER_DIR/package-lock.json" ||
  [ ! -d "$DRIVER_DIR/node_modules/puppeteer-core" ]; then
  cp "$PICKRPG_SOURCE_DIR"/tests/web/package{,-lock}.json "$DRIVER_DIR/"
  (cd "$DRIVER_DIR" && timeout 300 npm ci --ignore-scripts --no-audit --no-fund) \
    >"$ARTIFACTS/npm.log" 2>&1 || unavailable "npm ci failed (see $ARTIFACTS/npm.log)"
fi
"$REFERENCE_TOOL" frame --out "$ARTIFACTS/reference.ppm" --seed "$SEED" \
  >"$ARTIFACTS/reference.log" 2>&1 || fail "gl_reference failed (see $ARTIFACTS/reference.log)"

setsid timeout 900 node "$PICKRPG_SOURCE_DIR/tests/web/play_in_browser.mjs" --seed "$SEED" \
  --modules "$DRIVER_DIR" --chromium "$(command -v chromium)" --web-dir "$WEB_DIR" \
  --reference "$ARTIFACTS/reference.ppm" --artifacts "$ARTIFACTS" &
DRIVER_PID=$!
wait "$DRIVER_PID" || fail "the browser session failed; the first frame in $ARTIFACTS"
