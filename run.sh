#!/usr/bin/env bash
# Builds pickrpg and starts it from the folder that holds Data/. On a
# machine without a display it plays a scripted demo session on a virtual
# display instead and leaves the screenshots of its steps in screenshots/.
# ./run.sh --web builds the browser version instead and serves it on
# http://127.0.0.1:8000/.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
# What the demo needs: a virtual display with a window manager, the tools that drive and
# photograph it, and the X core fonts SDL's message boxes are drawn with.
DEMO_PACKAGES="xvfb openbox xdotool imagemagick x11-utils xfonts-base"
WEB_ADDRESS=127.0.0.1
WEB_PORT=8000

if [ "${1:-}" = "--web" ]; then
  # shellcheck disable=SC2086 # word lists
  install_packages cmake ninja-build $PICKRPG_WEB_PACKAGES
  emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build-web
  echo
  echo "pickrpg in a browser: open http://$WEB_ADDRESS:$WEB_PORT/ (Ctrl+C stops the server)"
  exec python3 -m http.server "$WEB_PORT" --bind "$WEB_ADDRESS" --directory build-web
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set): pickrpg plays a"
  echo "scripted demo session on a virtual display (Xvfb) and takes screenshots of it."
  # shellcheck disable=SC2086 # word lists
  install_packages $PICKRPG_BUILD_PACKAGES $DEMO_PACKAGES
  cmake -S . -B build -G Ninja >/dev/null
  cmake --build build --target pickrpg
  scripts/play_demo.sh screenshots
  echo
  echo "The demo is over. Its screenshots, one per step, are in $PWD/screenshots/"
  exit 0
fi

# shellcheck disable=SC2086
install_packages $PICKRPG_BUILD_PACKAGES
cmake -S . -B build -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build build --target pickrpg
exec ./build/pickrpg "$@"
