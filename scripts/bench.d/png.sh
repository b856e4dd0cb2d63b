#!/usr/bin/env bash
# PNG decoding: ours against libpng, libspng and stb_image, warm and one-shot, on two groups of
# pictures reported apart:
#   photo: real photographs (scikit-image's sample data, taken from the Debian package
#          python3-skimage without installing it: astronaut.png, NASA, public domain; coffee.png,
#          CC0, Rachel Michetti; chelsea.png, CC0, Stefan van der Walt), as shipped and fitted to
#          the player's 260 x 260 box; and photo-like pictures drawn with ImageMagick (smooth noise
#          with detail) at 260 x 260, 1024 x 768 and 2048 x 1536;
#   flat:  drawn shapes on a plain ground, the same three sizes.
# Each in several pixel classes, default compression.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
out=build/bench-png
corpus=$out/corpus
convert=/usr/bin/convert
identify=/usr/bin/identify
runs=${FENOK_BENCH_RUNS:-7}
jobs=${FENOK_BENCH_JOBS:-2}

cmake --preset bench >/dev/null
cmake --build --preset bench -j "$jobs" --target bench_png >/dev/null

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

# Real photographs: the package's files as they are, and each fitted to the player's box.
photos=(astronaut coffee chelsea)
real=$corpus/real
if [ ! -s "$real/chelsea.png" ]; then
  mkdir -p "$real/deb"
  if (cd "$real/deb" && apt-get download python3-skimage >/dev/null 2>&1); then
    dpkg-deb -x "$real"/deb/python3-skimage_*.deb "$real/deb/x"
    for photo in "${photos[@]}"; do
      cp "$(find "$real/deb/x" -path '*skimage/data/'"$photo.png")" "$real/$photo.png"
    done
    rm -rf "$real/deb"
  else
    echo "png.sh: python3-skimage could not be downloaded: made photo-like pictures only" >&2
  fi
fi
for photo in "${photos[@]}"; do
  [ -s "$real/$photo.png" ] || continue
  size=$("$identify" -format '%wx%h' "$real/$photo.png")
  file=$corpus/photo-$photo-$size-rgb8.png
  [ -s "$file" ] || cp "$real/$photo.png" "$file"
  files+=("$file")
  for class in rgb8 rgba8; do
    fitted=$corpus/photo-$photo-fit260-$class.png
    [ -s "$fitted" ] || encode "$class" "$real/$photo.png[260x260]" "$fitted"
    files+=("$fitted")
  done
done

for size in 260x260 1024x768 2048x1536; do
  for kind in photo flat; do
    source=$corpus/source-$kind-$size.miff
    [ -s "$source" ] || draw "$kind" "$size" "$source"
    for class in rgb8 rgba8 palette8 grey8 rgb16 adam7-rgb8; do
      file=$corpus/$kind-made-$size-$class.png
      [ -s "$file" ] || encode "$class" "$source" "$file"
      files+=("$file")
    done
  done
done

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
build/bench/bin/bench_png --runs "$runs" "${files[@]}" | tee "$out/results.txt"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
build/bench/bin/bench_png --memory "$corpus/photo-made-2048x1536-rgba8.png" | tee -a "$out/results.txt"
