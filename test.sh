#!/usr/bin/env bash
# Builds everything (the native game, its tests and the Windows executable)
# and runs every test through ctest; then runs the unit tests again in a
# build under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer,
# and fuzzes the TGA decoder for a bounded time. Exits non-zero on any
# failure.
#
# PICKRPG_SOAK_FRAMES, PICKRPG_SOAK_SEED and PICKRPG_RESTARTS size the soak
# and restart tests; PICKRPG_FUZZ_SECONDS the fuzzing (60 by default).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
install_packages $PICKRPG_BUILD_PACKAGES $PICKRPG_TEST_PACKAGES

jobs=$(nproc)
stage_start=$SECONDS

heading() {
  echo
  echo "==== $* ===="
  stage_start=$SECONDS
}

stage_done() {
  echo "---- $1 took $((SECONDS - stage_start)) s"
}

heading "Native and Windows builds"
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build build -j "$jobs"

cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build-win -j "$jobs"
export PICKRPG_WIN_EXE="$PWD/build-win/pickrpg.exe"
stage_done "Building"

# The game as WebAssembly with its page; web_test plays it in Chromium.
heading "Browser build"
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web -j "$jobs"
export PICKRPG_WEB_DIR="$PWD/build-web"
stage_done "The browser build"

heading "All tests"
(cd build && ctest --output-on-failure -j "$jobs")
main_tests=$(cd build && ctest -N | sed -n 's/^Total Tests: //p')
stage_done "Testing"

# Any sanitizer report fails the test that made it. Leaks are suppressed
# only inside the OpenGL driver, where they are proven (see the suppressions file).
heading "Unit tests under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:check_initialization_order=1:strict_init_order=1"
# The path is quoted for the sanitizers' own option parser: a checkout path may hold spaces.
export LSAN_OPTIONS="suppressions='$PWD/tests/sanitizers/lsan.supp':print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The ES layer's picking proof on every 32nd pixel here: the plain run above
# compared every 8th.
export PICKRPG_PICK_STEP=32
cmake -S . -B build-asan -G Ninja -DBUILD_TESTING=ON -DPICKRPG_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"
# The soak, audit and restart tests first, verbose for their figures; then
# every other unit test. The script tests (named *_test: options, play,
# package) drive the real executables on a virtual display and under Wine,
# or the packaging: the run above has them.
(cd build-asan && ctest --verbose -j "$jobs" -R '^Soak')
(cd build-asan && ctest --output-on-failure -j "$jobs" -E '^Soak|_test$')
stage_done "The sanitized build and its tests"

heading "Fuzzing the TGA decoder for ${PICKRPG_FUZZ_SECONDS:-60} s"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DBUILD_TESTING=OFF \
  -DPICKRPG_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$jobs" --target fuzz_tga
mkdir -p build-fuzz/corpus build-fuzz/artifacts
# New inputs go to the first folder; the committed seeds stay as they are.
# No input may make the decoder allocate more than it holds: 16 MB is far
# above the largest input (4 KB) and far below what a header can claim.
build-fuzz/tests/fuzz/fuzz_tga -max_total_time="${PICKRPG_FUZZ_SECONDS:-60}" -max_len=4096 \
  -malloc_limit_mb=16 -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ \
  build-fuzz/corpus tests/fuzz/corpus
stage_done "Fuzzing"

echo
echo "All builds, tests, sanitizer runs and fuzzing passed."
echo "tests: $main_tests passed, 0 failed"
