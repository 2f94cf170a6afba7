#!/usr/bin/env bash
# Builds the benchmark, runs it from the source folder (the game reads Data/
# from its working directory) and writes the figures, with a description of
# the machine, to bench/results.md.
set -euo pipefail

source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${PICKRPG_BENCH_BUILD_DIR:-$source_dir/build-bench}"
results="$source_dir/bench/results.md"

cmake -S "$source_dir" -B "$build_dir" -G Ninja >/dev/null
cmake --build "$build_dir" -j2 --target pickrpg_bench pickrpg_bench_gl pickrpg_bench_es

figures="$(mktemp)"
trap 'rm -f "$figures"' EXIT
cd "$source_dir"
status=0
"$build_dir/bench/pickrpg_bench" >"$figures" || status=$?

# The same frame and clicks on the real OpenGL and on the ES layer, one
# program after the other in this run.
layer_figures() {
  local real layer
  real="$("$build_dir/bench/pickrpg_bench_gl")" || return 1
  layer="$("$build_dir/bench/pickrpg_bench_es")" || return 1
  echo
  echo "## The OpenGL ES layer"
  echo
  echo "The game's frame (inventory open) and its two clicks on the desktop's OpenGL 1.1"
  echo "and through the ES layer on the same Mesa's OpenGL ES 2 (medians of 200 frames"
  echo "and 300 clicks). The layer's clicks run its selection in software. The frame is"
  echo "timed at 1024 x 768 and drawn sharp into larger drawables (2048 x 1536, and"
  echo "2560 x 1440 with bars at the sides)."
  echo
  echo "| Measure | Real OpenGL 1.1 (ms) | ES layer (ms) | Layer / real | Target |"
  echo "|---|---|---|---|---|"
  join <(echo "$real" | sort) <(echo "$layer" | sort) | while read -r name gl es; do
    local target=""
    [ "$name" = "world-click" ] && target="<= 0.25"
    awk -v n="$name" -v g="$gl" -v e="$es" -v t="$target" \
      'BEGIN { printf "| %s | %.3f | %.3f | %.3f | %s |\n", n, g, e, e / g, t }'
  done
}
layer_figures >>"$figures" || status=$?

cpu_model="$(grep -m1 '^model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
memory="$(awk '/^MemTotal:/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)"
build_type="$(grep -m1 '^CMAKE_BUILD_TYPE:' "$build_dir/CMakeCache.txt" | cut -d= -f2)"
# The record of figures before and after a change, and the browser figures
# of bench/web.sh after it, stay at the end of the file.
web_section="$(sed -n '/^## \(Before and after\|In a browser\)$/,$p' "$results" 2>/dev/null || true)"
{
  echo "# Benchmark results"
  echo
  echo "Written by bench/run.sh on $(date -u '+%Y-%m-%d %H:%M UTC'); see bench/README.md for"
  echo "what each figure measures. Elapsed times are wall-clock; other processes on the"
  echo "machine slow them (see the load average)."
  echo
  echo "## Machine"
  echo
  echo "- CPU: ${cpu_model:-unknown}"
  echo "- Cores: $(nproc)"
  echo "- Memory: $memory"
  echo "- Kernel: $(uname -sr)"
  echo "- Build type: ${build_type:-RelWithDebInfo}"
  cat "$figures"
  if [ -n "$web_section" ]; then
    echo
    echo "$web_section"
  fi
} >"$results"

cat "$results"
if [ "$status" -ne 0 ]; then
  echo "pickrpg_bench failed (exit $status): the figures above are not to be trusted" >&2
fi
exit "$status"
