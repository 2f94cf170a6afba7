#!/usr/bin/env bash
# Builds the browser version, serves it on a free port of 127.0.0.1, and
# measures its frame time in headless Chromium (WebGL through SwiftShader)
# and the size of the files a server sends. Writes them as the section "In a
# browser" at the end of bench/results.md, after the native figures of
# bench/run.sh (which keeps the section when it rewrites the file).
set -euo pipefail

source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${PICKRPG_WEB_BENCH_BUILD_DIR:-$source_dir/build-web}"
results="$source_dir/bench/results.md"
section_title="## In a browser"
frames=300
page_files="index.html page.js pickrpg.js pickrpg.wasm pickrpg.data"

emcmake cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build_dir" -j2

driver_dir="$build_dir/web-driver"
mkdir -p "$driver_dir"
if ! cmp -s "$source_dir/tests/web/package-lock.json" "$driver_dir/package-lock.json"; then
  cp "$source_dir/tests/web/package.json" "$source_dir/tests/web/package-lock.json" "$driver_dir/"
  (cd "$driver_dir" && npm ci --ignore-scripts --no-audit --no-fund)
fi

work="$(mktemp -d)"
server_pid=""
stop() {
  [ -z "$server_pid" ] || kill "$server_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$build_dir" >"$work/server.log" 2>&1 &
server_pid=$!
for _ in $(seq 1 150); do
  grep -q '^Serving HTTP' "$work/server.log" && break
  sleep 0.2
done
port="$(sed -n 's/^Serving HTTP on 127.0.0.1 port \([0-9]*\).*/\1/p' "$work/server.log")"
[ -n "$port" ] || { echo "the server did not start" >&2; exit 1; }

timeout 300 node "$source_dir/bench/web_bench.mjs" --modules "$driver_dir" \
  --chromium "$(command -v chromium)" --url "http://127.0.0.1:$port/?mode=windowed&seed=3" \
  --profile "$work/profile" --frames "$frames" >"$work/figures"

{
  echo "$section_title"
  echo
  echo "Written by bench/web.sh on $(date -u '+%Y-%m-%d %H:%M UTC'): the browser build (Release)"
  echo "drawing the same frame as above (inventory window open, the game paused) on this"
  echo "machine, next to the native llvmpipe figures. Load average at the end:"
  echo "$(cut -d' ' -f1-3 /proc/loadavg)."
  echo
  cat "$work/figures"
  echo
  echo "What a server sends (gzip -9 as a server would compress it; target under 2 MB in all):"
  echo
  echo "| File | Bytes | Gzip bytes |"
  echo "|---|---|---|"
  total=0
  total_gzip=0
  for file in $page_files; do
    bytes=$(stat -c %s "$build_dir/$file")
    gzip_bytes=$(gzip -9 -c "$build_dir/$file" | wc -c)
    total=$((total + bytes))
    total_gzip=$((total_gzip + gzip_bytes))
    echo "| $file | $bytes | $gzip_bytes |"
  done
  echo "| all | $total | $total_gzip |"
} >"$work/section"

# Everything before an earlier section of ours, then the new one.
if [ -f "$results" ]; then
  sed "/^$section_title\$/,\$d" "$results" >"$work/results"
  printf '\n' >>"$work/results"
fi
cat "$work/section" >>"$work/results"
cat -s "$work/results" >"$results"
cat "$work/section"
