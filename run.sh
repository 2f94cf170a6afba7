#!/usr/bin/env bash
# Builds pickrpg and starts it from the folder that holds Data/.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
install_packages $PICKRPG_BUILD_PACKAGES
cmake -S . -B build -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build build --target pickrpg
exec ./build/pickrpg "$@"
