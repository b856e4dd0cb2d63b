#!/usr/bin/env bash
# Start-up of the player under Wine: time from process start until the main window is shown (the
# construction pass, with every picture loaded and scaled, runs before that), for a 96-question
# picture quiz of 800 x 600 JPEG pictures against the built-in fallback quiz, and their ratio.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
. scripts/lib/wine.sh
out=$root/build/bench-startup
runs=${FENOK_BENCH_RUNS:-5}
convert=/usr/bin/convert

# FENOK_NATIVE_BUILD / FENOK_WIN32_BUILD: use these build trees as they are instead of the presets.
native=${FENOK_NATIVE_BUILD:-}
win32=${FENOK_WIN32_BUILD:-}
if [ -z "$native" ]; then
  cmake --preset native >/dev/null && cmake --build --preset native -j "$(nproc)" --target fenok-pack >/dev/null
  native=build/native
fi
if [ -z "$win32" ]; then
  cmake --preset win32 >/dev/null && cmake --build --preset win32 -j "$(nproc)" --target fenok fenok-probe >/dev/null
  win32=build/win32
fi
native=$(realpath "$native")
win32=$(realpath "$win32")

mkdir -p "$out/pictures"
if [ ! -f "$out/quiz.toml" ]; then
  {
    echo 'title = "Quatre-vingt-seize images"'
    echo 'author = "bench"'
    echo 'explanation = "Temps de demarrage"'
    echo 'media = "pictures"'
    echo 'answers_per_question = 1'
    echo 'comments = "none"'
    echo 'background = "#3366FF"'
    for q in $(seq 1 96); do
      "$convert" -size 800x600 "gradient:#$(printf '%02x' $((q * 2)))3060-#f0$(printf '%02x' $((255 - q)))20" \
        -fill '#c02020' -draw "circle 400,300 400,$((100 + q))" -quality 85 "$out/pictures/q$q.jpg"
      printf '\n[[question]]\nanswer = "REPONSE%d"\npicture = "pictures/q%d.jpg"\n' "$q" "$q"
    done
  } >"$out/quiz.toml"
fi
"$native/bin/fenok-pack" build "$out/quiz.toml" -o "$out/big.exe" --stub "$win32/bin/fenok.exe" 2>/dev/null
# The same 96 questions as lines of text: what the pictures cost, without the fallback's message box.
sed -e 's/^media = "pictures"/media = "text"/' -e '/^picture = /d' -e 's/^answer = "REPONSE\([0-9]*\)"/answer = "REPONSE\1"\ntext = "Question \1"/' \
  "$out/quiz.toml" >"$out/text.toml"
"$native/bin/fenok-pack" build "$out/text.toml" -o "$out/text.exe" --stub "$win32/bin/fenok.exe" 2>/dev/null >/dev/null
cp "$win32/bin/fenok.exe" "$out/fallback.exe"

fenok_wine_env "$root"
export WINEPREFIX="$root/build/wineprefix-bench"  # private: the runs close only their own windows
if [ ! -f "$WINEPREFIX/system.reg" ]; then wineboot -i >/dev/null 2>&1 || true; wineserver -w || true; fi
probe="$win32/bin/fenok-probe.exe"
# measure EXE: milliseconds until its window is shown, one run.
measure() {
  (cd "$out" && wine "$probe" wait-shown >"$out/time.txt" 2>/dev/null) & waiter=$!
  (cd "$out" && wine "$1" >/dev/null 2>&1) & player=$!
  wait "$waiter" || true
  (cd "$out" && wine "$probe" close >/dev/null 2>&1) || true
  wait "$player" 2>/dev/null || true
  tr -d '\r' <"$out/time.txt"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

if [ -z "${FENOK_BENCH_DISPLAY:-}" ]; then
  # Again inside a virtual display of its own.
  exec env FENOK_BENCH_DISPLAY=1 FENOK_NATIVE_BUILD="$native" FENOK_WIN32_BUILD="$win32" \
    xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0"
fi
measure fallback.exe >/dev/null  # warm the prefix and the file cache
result=$(
  for _ in $(seq 1 "$runs"); do echo "fallback $(measure fallback.exe)"; done
  for _ in $(seq 1 "$runs"); do echo "text $(measure text.exe)"; done
  for _ in $(seq 1 "$runs"); do echo "big $(measure big.exe)"; done
)
fallback=$(echo "$result" | awk '$1 == "fallback" { print $2 }' | median)
text=$(echo "$result" | awk '$1 == "text" { print $2 }' | median)
big=$(echo "$result" | awk '$1 == "big" { print $2 }' | median)
echo "start-up to the shown window, median of $runs runs under Wine:"
echo "  fallback quiz (its message box answered at once): ${fallback} ms"
echo "  96 questions as text lines:           ${text} ms"
echo "  96 questions, 800 x 600 JPEG pictures: ${big} ms"
awk -v a="$big" -v b="$fallback" -v t="$text" 'BEGIN {
  if (b > 0) printf "  ratio pictures / fallback: %.2f\n", a / b
  if (t > 0) printf "  ratio pictures / text:     %.2f\n", a / t
}'
