# The benchmarks' photo quiz: 96 camera-like photos (1600 x 1200 JPEG, about 1.1 MB each) and as many
# solution pictures, with two descriptions. Made once, kept in the folder given.
# Usage: . scripts/lib/bench_photos.sh; fenok_bench_photos OUT  -> OUT/quiz.toml, OUT/solutions.toml
FENOK_BENCH_PHOTOS=96

fenok_bench_photos() {
  local out=$1 convert=/usr/bin/convert photos=$FENOK_BENCH_PHOTOS base q
  mkdir -p "$out/photos"
  # Photo-like pictures: a few smooth plasma fields, each shifted and given its own grain per photo.
  for base in 1 2 3 4; do
    [ -s "$out/base$base.miff" ] || "$convert" -seed "$base" -size 1600x1200 plasma:fractal -blur 0x1 "$out/base$base.miff"
  done
  for q in $(seq 1 $((photos * 2))); do
    local file=$out/photos/photo$q.jpg
    [ -s "$file" ] && continue
    echo "$out/base$((q % 4 + 1)).miff -seed $q -roll +$((q * 97 % 1600))+$((q * 53 % 1200)) -attenuate 0.5 +noise Gaussian -quality 90 $file"
  done | xargs -r -P "$(nproc)" -L 1 "$convert"
  fenok_bench_describe no >"$out/quiz.toml"
  fenok_bench_describe yes >"$out/solutions.toml"
}

# fenok_bench_describe WITH_SOLUTIONS: the quiz description; solution j is photo j + 96.
fenok_bench_describe() {
  local photos=$FENOK_BENCH_PHOTOS q
  echo 'title = "Quatre-vingt-seize photos"'
  echo 'media = "pictures"'
  if [ "$1" = yes ]; then echo 'comments = "solution-picture"'; fi
  for q in $(seq 1 "$photos"); do
    printf '\n[[question]]\nanswer = "PHOTO%d"\npicture = "photos/photo%d.jpg"\n' "$q" "$q"
    if [ "$1" = yes ]; then printf 'solution = "photos/photo%d.jpg"\n' $((q + photos)); fi
  done
}
