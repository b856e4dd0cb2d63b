#!/usr/bin/env bash
# Verdicts per second on 40-character answers: builds bench_verdict (bench preset) and runs it.
# FENOK_BUILD_DIR builds elsewhere than build/bench.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
build_dir=${FENOK_BUILD_DIR:-}
if [ -z "$build_dir" ]; then
  build_dir=build/bench
  cmake --preset bench >/dev/null
else
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFENOK_BENCH=ON >/dev/null
fi
cmake --build "$build_dir" -j "$(nproc)" --target bench_verdict >/dev/null
json=$(mktemp)
trap 'rm -f "$json"' EXIT
"$build_dir/bin/bench_verdict" --benchmark_format=console --benchmark_out="$json" --benchmark_out_format=json
# One figure for a mix of equal, near and far answers in equal numbers: total verdicts over total time.
python3 - "$json" <<'PY'
import json, sys
runs = [b for b in json.load(open(sys.argv[1]))["benchmarks"] if b.get("run_type", "iteration") == "iteration"]
for b in runs:
    print(f"verdict {b.get('label', b['name'])}: {b['items_per_second']:.0f} verdicts/s")
mixed = len(runs) / sum(1.0 / b["items_per_second"] for b in runs)
print(f"verdict: {mixed:.0f} verdicts/s (40-character answers)")
PY
