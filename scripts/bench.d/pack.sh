#!/usr/bin/env bash
# The 32-bit player's own size; packing a quiz of 96 camera-like photos (1600 x 1200 JPEG, about
# 1.1 MB each): the size of the program, the time and the peak memory of fenok-pack build, with the
# pictures fitted (the default) and with --keep-pictures, without and with 96 solution pictures.
# FENOK_NATIVE_BUILD: use this build tree's fenok-pack as it is. FENOK_STUB: pack into this player
# instead of the win32 preset's fenok.exe (built when missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
out=$root/build/bench-pack

. "$root/scripts/lib/bench_tools.sh"
fenok_bench_tools

. "$root/scripts/lib/bench_photos.sh"
fenok_bench_photos "$out"
photos=$FENOK_BENCH_PHOTOS

# Every quiz sent carries its player.
echo "the 32-bit player alone: $(( $(stat -c %s "$stub") / 1000 )) KB (goal: at most 350)"
given=$(du -cb "$out"/photos/*.jpg | tail -1 | cut -f1)
echo "$((photos * 2)) photos of 1600 x 1200, $((given / 1000000)) MB in all; fenok-pack build on $(nproc) cores"
echo "(program size, wall time, processor time, peak memory):"
# run LABEL QUIZ OPTIONS...: packs once and prints the program's size, the times and the peak memory.
run() {
  local label=$1 quiz=$2
  shift 2
  local program=$out/$label.exe start end
  start=$(date +%s.%N)
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f "%M %U %S" -o "$out/usage.txt" "$pack" build "$quiz" -o "$program" --stub "$stub" "$@" >/dev/null 2>&1
  else
    "$pack" build "$quiz" -o "$program" --stub "$stub" "$@" >/dev/null 2>&1
    echo 0 0 0 >"$out/usage.txt"
  fi
  end=$(date +%s.%N)
  awk -v label="$label" -v size="$(stat -c %s "$program")" -v start="$start" -v end="$end" \
    -v usage="$(tail -1 "$out/usage.txt")" 'BEGIN {
      split(usage, u, " ")
      printf "  %-24s %7.1f MB  %6.2f s", label, size / 1e6, end - start
      if (u[1] > 0) printf "  %6.2f s  %4.0f MB", u[2] + u[3], u[1] / 1024
      printf "\n"
    }'
}
run fitted "$out/quiz.toml"
run fitted-with-solutions "$out/solutions.toml"
run kept "$out/quiz.toml" --keep-pictures
run kept-with-solutions "$out/solutions.toml" --keep-pictures
