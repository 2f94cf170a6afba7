#!/usr/bin/env bash
# Builds everything (the native game, its tests and the Windows executable)
# and runs every test through ctest. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
install_packages $PICKRPG_BUILD_PACKAGES $PICKRPG_TEST_PACKAGES

jobs=$(nproc)
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build -j "$jobs"

cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build-win -j "$jobs"
export PICKRPG_WIN_EXE="$PWD/build-win/pickrpg.exe"

cd build
ctest --output-on-failure -j "$jobs"
