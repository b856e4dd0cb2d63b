#!/usr/bin/env bash
# PNG decoding: ours against libpng, libspng and stb_image on a corpus drawn with ImageMagick
# (photo-like and flat pictures, three sizes, six pixel classes, default compression).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
out=build/bench-png
corpus=$out/corpus
convert=/usr/bin/convert
runs=${FENOK_BENCH_RUNS:-7}

cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=Release -DFENOK_BENCH=ON -DFENOK_TESTS=OFF >/dev/null
cmake --build "$out" -j "$(nproc)" --target bench_png >/dev/null

mkdir -p "$corpus"
# draw KIND SIZE FILE: a source picture, photo-like (smooth noise with detail) or flat (shapes).
draw() {
  local kind=$1 size=$2 file=$3
  if [ "$kind" = photo ]; then
    "$convert" -seed 7 -size "$size" plasma:fractal -blur 0x1 -depth 16 "$file"
  else
    local w=${size%x*} h=${size#*x}
    "$convert" -size "$size" xc:'#f4f0e6' -fill '#2a5d9f' -draw "rectangle $((w/10)),$((h/8)) $((w/2)),$((h/2))" \
      -fill '#d94f3d' -draw "circle $((w*2/3)),$((h*2/3)) $((w*2/3)),$((h*9/10))" \
      -fill '#3c9d4e' -draw "polygon $((w/8)),$((h*7/8)) $((w/3)),$((h*5/8)) $((w/2)),$((h*7/8))" \
      -depth 16 "$file"
  fi
}

# encode CLASS SOURCE FILE: the source in one pixel class.
encode() {
  local class=$1 source=$2 file=$3
  case "$class" in
    rgb8) "$convert" "$source" -depth 8 PNG24:"$file" ;;
    rgba8) "$convert" "$source" -depth 8 \( +clone -colorspace Gray -negate -evaluate multiply 0.8 \) \
             -alpha off -compose CopyOpacity -composite PNG32:"$file" ;;
    palette8) "$convert" "$source" -depth 8 -colors 256 -define png:bit-depth=8 PNG8:"$file" ;;
    grey8) "$convert" "$source" -colorspace Gray -depth 8 -define png:color-type=0 -define png:bit-depth=8 \
             PNG:"$file" ;;
    rgb16) "$convert" "$source" -depth 16 PNG48:"$file" ;;
    adam7-rgb8) "$convert" "$source" -depth 8 -interlace PNG PNG24:"$file" ;;
  esac
}

files=()
for size in 260x260 1024x768 2048x1536; do
  for kind in photo flat; do
    source=$corpus/source-$kind-$size.miff
    [ -s "$source" ] || draw "$kind" "$size" "$source"
    for class in rgb8 rgba8 palette8 grey8 rgb16 adam7-rgb8; do
      file=$corpus/$kind-$size-$class.png
      [ -s "$file" ] || encode "$class" "$source" "$file"
      files+=("$file")
    done
  done
done

"$out/bin/bench_png" --runs "$runs" "${files[@]}" | tee "$out/results.txt"
echo
"$out/bin/bench_png" --memory "$corpus/photo-2048x1536-rgba8.png" | tee -a "$out/results.txt"
