#!/usr/bin/env bash
# Start-up of the player under Wine: time from process start until the main window is shown (the
# construction pass, with every picture loaded and scaled, runs before that), for the benchmarks'
# 96-photo quiz packed with its pictures fitted (the default) and with --keep-pictures (1600 x 1200
# photos, decoded and shrunk at every start), against the same questions as text lines and the
# built-in fallback quiz. The 32-bit player where this host runs it, else the 64-bit one.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
. scripts/lib/wine.sh
. scripts/lib/bench_photos.sh
fenok_wine_detect
out=$root/build/bench-startup
runs=${FENOK_BENCH_RUNS:-5}

# FENOK_NATIVE_BUILD / FENOK_WIN_BUILD: use these build trees as they are instead of the presets.
native=${FENOK_NATIVE_BUILD:-}
windows=${FENOK_WIN_BUILD:-}
if [ -z "$native" ]; then
  cmake --preset native >/dev/null && cmake --build --preset native -j "$(nproc)" --target fenok-pack >/dev/null
  native=build/native
fi
if [ -z "$windows" ]; then
  cmake --preset "$FENOK_PLAYER_ARCH" >/dev/null
  cmake --build --preset "$FENOK_PLAYER_ARCH" -j "$(nproc)" --target fenok fenok-probe >/dev/null
  windows=build/$FENOK_PLAYER_ARCH
fi
native=$(realpath "$native")
windows=$(realpath "$windows")
player=$windows/bin/fenok.exe

if [ -z "${FENOK_BENCH_DISPLAY:-}" ]; then
  photos=$root/build/bench-pack
  fenok_bench_photos "$photos"
  mkdir -p "$out"
  "$native/bin/fenok-pack" build "$photos/quiz.toml" -o "$out/fitted.exe" --stub "$player" >/dev/null
  "$native/bin/fenok-pack" build "$photos/quiz.toml" -o "$out/kept.exe" --stub "$player" --keep-pictures >/dev/null
  # The same 96 questions as lines of text: what the pictures cost, without the fallback's message box.
  sed -e 's/^media = "pictures"/media = "text"/' -e '/^picture = /d' \
    -e 's/^answer = "PHOTO\([0-9]*\)"/answer = "PHOTO\1"\ntext = "Question \1"/' "$photos/quiz.toml" >"$out/text.toml"
  "$native/bin/fenok-pack" build "$out/text.toml" -o "$out/text.exe" --stub "$player" >/dev/null
  cp "$player" "$out/fallback.exe"
  # Again inside a virtual display of its own.
  exec env FENOK_BENCH_DISPLAY=1 FENOK_NATIVE_BUILD="$native" FENOK_WIN_BUILD="$windows" \
    xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0"
fi

fenok_wine_env "$root" wineprefix-bench  # private: the runs close only their own windows
probe="$windows/bin/fenok-probe.exe"
# measure EXE: milliseconds until its window is shown, one run.
measure() {
  (cd "$out" && "$FENOK_WINE" "$probe" wait-shown >"$out/time.txt" 2>/dev/null) & waiter=$!
  (cd "$out" && "$FENOK_WINE" "$1" >/dev/null 2>&1) & player=$!
  wait "$waiter" || true
  (cd "$out" && "$FENOK_WINE" "$probe" close >/dev/null 2>&1) || true
  wait "$player" 2>/dev/null || true
  tr -d '\r' <"$out/time.txt"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

measure fallback.exe >/dev/null  # warm the prefix and the file cache
result=$(
  for program in fallback text fitted kept; do
    for _ in $(seq 1 "$runs"); do echo "$program $(measure "$program.exe")"; done
  done
)
of() { echo "$result" | awk -v p="$1" '$1 == p { print $2 }' | median; }
size() { echo "$(($(stat -c %s "$out/$1.exe") / 1000000)) MB"; }
echo "start-up to the shown window, median of $runs runs under Wine ($(basename "$windows") player):"
row() { printf '  %-56s %6s ms\n' "$1" "$2"; }
row "fallback quiz (its message box answered at once):" "$(of fallback)"
row "96 questions as text lines:" "$(of text)"
row "96 photos fitted at build time ($(size fitted)):" "$(of fitted)"
row "96 photos as given, --keep-pictures ($(size kept)):" "$(of kept)"
awk -v f="$(of fitted)" -v k="$(of kept)" 'BEGIN { if (f > 0) printf "  fitted start-up is %.1f times faster than --keep-pictures\n", k / f }'
