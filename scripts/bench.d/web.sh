#!/usr/bin/env bash
# The quiz page against the program, on the 96-photo quiz of `bench pack`: the page's size against the
# program's (goal: at most 1.4 times), the web player's JavaScript and WebAssembly (goal: at most
# 300 KB), the time to ready in headless Chromium (goal: under 1 s) and verdicts per second inside the
# page against the native verdict benchmark (goal: at least half), both in elapsed time.
# FENOK_NATIVE_BUILD: use this build tree's fenok-pack as it is. FENOK_STUB: the player of the program
# (else the win32 preset's fenok.exe, built when missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
out=$root/build/bench-web
jobs=$(nproc)

cmake --preset web >/dev/null && cmake --build --preset web -j "$jobs" >/dev/null
. "$root/scripts/lib/bench_tools.sh"
fenok_bench_tools

. "$root/scripts/lib/bench_photos.sh"
fenok_bench_photos "$root/build/bench-pack"
mkdir -p "$out"
"$pack" build build/bench-pack/quiz.toml -o "$out/photos.exe" --stub "$stub" >/dev/null
"$pack" build build/bench-pack/quiz.toml -o "$out/photos.html" --web-player build/web/bin/fenok-web.html >/dev/null
size() { stat -c %s "$1"; }
program=$(size "$out/photos.exe")
page=$(size "$out/photos.html")
player=$(($(size build/web/bin/fenok-web.js) + $(size build/web/bin/fenok-web.wasm)))
figures=$(/usr/bin/python3 scripts/bench.d/web_page.py "$out/photos.html")
# The native benchmark of verdict.sh, its figure taken in elapsed time as the page's is (Google
# Benchmark's own figure is in processor time, which a busy machine makes look faster).
cmake --preset bench >/dev/null && cmake --build --preset bench -j "$jobs" --target bench_verdict >/dev/null
build/bench/bin/bench_verdict --benchmark_format=json --benchmark_out="$out/verdict.json" >/dev/null
native_verdicts=$(python3 - "$out/verdict.json" <<'PY'
import json, sys
runs = [b for b in json.load(open(sys.argv[1]))["benchmarks"] if b.get("run_type", "iteration") == "iteration"]
scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
print(round(len(runs) / sum(b["real_time"] * scale[b["time_unit"]] for b in runs)))
PY
)
awk -v program="$program" -v page="$page" -v player="$player" -v native="$native_verdicts" \
    -v ready="$(echo "$figures" | sed -n 's/^ready //p')" -v web="$(echo "$figures" | sed -n 's/^verdicts //p')" 'BEGIN {
  printf "the 96-photo quiz: program %.2f MB, page %.2f MB: %.2f times (goal: at most 1.4)\n", program / 1e6, page / 1e6, page / program
  printf "web player (JavaScript and WebAssembly): %.0f KB (goal: at most 300)\n", player / 1000
  printf "ready to judge in headless Chromium: %.0f ms after the start of loading (goal: under 1000)\n", ready
  printf "verdicts inside the page: %.0f a second, native %.0f: %.2f of it (goal: at least 0.5)\n", web, native, web / native
}'
