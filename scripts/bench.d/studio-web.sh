#!/usr/bin/env bash
# The studio page (fenok-studio.html) in headless Chromium, on the 96 photos of `bench pack`: its size
# (goal: at most 2.5 MB), its time to ready (goal: under 1.5 s), the quiz's folder opened in it and the
# quiz page created from it against the native `fenok-pack build` of the same page in this run (goal:
# at most 2 times; each the median of three), and an answer typed, through the studio and drawn (goal:
# one frame, 16 ms).
# FENOK_NATIVE_BUILD: use this build tree's fenok-pack as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
out=$root/build/bench-studio-web
jobs=$(nproc)

. "$root/scripts/lib/bench_tools.sh"
fenok_bench_tools
for preset in win32 win64; do
  cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$jobs" --target fenok >/dev/null
done
cmake --preset web >/dev/null && cmake --build --preset web -j "$jobs" >/dev/null
. "$root/scripts/lib/studio_page.sh"
fenok_studio_page
page=build/web/bin/fenok-studio.html

. "$root/scripts/lib/bench_photos.sh"
fenok_bench_photos "$root/build/bench-pack"
rm -rf "$out" && mkdir -p "$out/downloads" "$out/photos-quiz"
# The quiz's folder as an author has it: the description and its photos, nothing else (links, not copies).
cp build/bench-pack/quiz.toml "$out/photos-quiz/"
cp -al build/bench-pack/photos "$out/photos-quiz/photos" 2>/dev/null || cp -r build/bench-pack/photos "$out/photos-quiz/photos"
# Only the quiz's 96 photos: the solutions' photos share the folder.
find "$out/photos-quiz/photos" -name 'photo*.jpg' | awk -F'photo' -v n="$FENOK_BENCH_PHOTOS" '{ split($NF, a, "."); if (a[1] > n) print }' |
  xargs -r rm -f
# The native build's time: the median of three, as the page's is (a shared machine's noise).
native=$(for run in 1 2 3; do
  start=$(date +%s.%N)
  "$pack" build "$out/photos-quiz/quiz.toml" -o "$out/native.html" --web-player build/web/bin/fenok-web.html >/dev/null
  echo "$(date +%s.%N) - $start" | bc
done | sort -n | sed -n 2p)
figures=$(/usr/bin/python3 scripts/bench.d/studio_web_page.py "$page" "$out/photos-quiz" "$FENOK_BENCH_PHOTOS" \
  "$out/downloads")
figure() { echo "$figures" | sed -n "s/^$1 //p"; }
awk -v size="$(stat -c %s "$page")" -v ready="$(figure ready)" -v opened="$(figure opened)" \
    -v created="$(figure created)" -v native="$native" -v typing="$(figure typing)" 'BEGIN {
  printf "fenok-studio.html: %.2f MB (goal: at most 2.5)\n", size / 1e6
  printf "ready to take a folder: %.0f ms after the start of loading (goal: under 1500)\n", ready
  printf "96 photos opened %.2f s, the page created %.2f s: %.2f s; native fenok-pack build %.2f s: %.2f times (goal: at most 2)\n",
         opened, created, opened + created, native, (opened + created) / native
  printf "an answer typed, judged and drawn: %.1f ms (goal: at most 16)\n", typing
}'
