#!/bin/sh
# Draws the pictures of the sample quizzes with ImageMagick: flags made of bands, crosses and discs,
# coloured shapes and gradients, with text on the solution pictures. The results are committed (they
# are small) so that `fenok-pack build samples/demo/quiz.toml` works from a fresh clone; run this again
# after changing a drawing. Writes samples/demo/pictures and samples/deux/pictures.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
convert=${CONVERT:-/usr/bin/convert}
font=DejaVu-Sans-Bold
# Same bytes on every run: no dates or other varying chunks in the files.
strip="-strip -define png:exclude-chunk=date,time"

# flag W H FILE band colours...: vertical bands
bands() {
  w=$1 h=$2 out=$3; shift 3
  n=$#
  args=""
  i=0
  for colour in "$@"; do
    x0=$((w * i / n)); x1=$((w * (i + 1) / n - 1))
    args="$args -fill \"$colour\" -draw \"rectangle $x0,0 $x1,$((h - 1))\""
    i=$((i + 1))
  done
  eval "\"$convert\" -size ${w}x${h} xc:white $args $strip \"$out\""
}

# rows W H FILE colours...: horizontal bands
rows() {
  w=$1 h=$2 out=$3; shift 3
  n=$#
  args=""
  i=0
  for colour in "$@"; do
    y0=$((h * i / n)); y1=$((h * (i + 1) / n - 1))
    args="$args -fill \"$colour\" -draw \"rectangle 0,$y0 $((w - 1)),$y1\""
    i=$((i + 1))
  done
  eval "\"$convert\" -size ${w}x${h} xc:white $args $strip \"$out\""
}

# nordic W H FILE background cross: a cross set towards the hoist
nordic() {
  w=$1 h=$2 out=$3 back=$4 cross=$5
  t=$((h / 5)); cx=$((w * 5 / 16)); cy=$((h / 2))
  "$convert" -size ${w}x${h} xc:"$back" -fill "$cross" \
    -draw "rectangle $((cx - t / 2)),0 $((cx + t / 2)),$((h - 1))" \
    -draw "rectangle 0,$((cy - t / 2)) $((w - 1)),$((cy + t / 2))" $strip "$out"
}

# solution IN OUT TEXT: the picture with its answer written across it
solution() {
  "$convert" "$1" -gravity south -fill white -stroke black -strokewidth 2 -font $font -pointsize 30 \
    -annotate +0+12 "$3" $strip "$2"
}

demo="$here/demo/pictures"
mkdir -p "$demo"
fw=276 fh=239
bands $fw $fh "$demo/france.jpg" "#0055A4" white "#EF4135"
bands $fw $fh "$demo/italie.gif" "#009246" white "#CE2B37"
bands $fw $fh "$demo/belgique.jpg" black "#FAE042" "#ED2939"
rows $fw $fh "$demo/allemagne.gif" black "#DD0000" "#FFCE00"
rows $fw $fh "$demo/autriche.jpg" "#ED2939" white "#ED2939"
rows 100 50 "$demo/pologne.png" white "#DC143C"
nordic $fw $fh "$demo/suede.gif" "#006AA7" "#FECC00"
nordic $fw $fh "$demo/danemark.jpg" "#C8102E" white
"$convert" -size ${fw}x${fh} xc:white -fill "#BC002D" -draw "circle 138,119 138,47" $strip "$demo/japon.jpg"
"$convert" -size 239x239 xc:"#DA291C" -fill white \
  -draw "rectangle 99,47 139,191" -draw "rectangle 47,99 191,139" $strip "$demo/suisse.gif"
for flag in france:FRANCE italie:ITALIE belgique:BELGIQUE allemagne:ALLEMAGNE autriche:AUTRICHE \
            suede:SUEDE danemark:DANEMARK japon:JAPON suisse:SUISSE; do
  name=${flag%%:*} answer=${flag#*:}
  for ext in jpg gif; do
    [ -f "$demo/$name.$ext" ] && solution "$demo/$name.$ext" "$demo/$name-solution.$ext" "$answer"
  done
done
"$convert" "$demo/pologne.png" -filter point -resize 276x138 -gravity south -fill black -font $font \
  -pointsize 26 -annotate +0+8 POLOGNE $strip "$demo/pologne-solution.png"

deux="$here/deux/pictures"
mkdir -p "$deux"
# shape FILE COLOUR DRAW: one coloured shape on a soft gradient
shape() {
  "$convert" -size 200x200 gradient:"#FFFFFF-#C8D2E6" -fill "$2" -stroke black -strokewidth 3 \
    -draw "$3" $strip "$1"
}
shape "$deux/cercle-rouge.gif" "#D62828" "circle 100,100 100,30"
shape "$deux/carre-bleu.gif" "#1D4ED8" "rectangle 40,40 160,160"
shape "$deux/triangle-vert.gif" "#2A9D48" "polygon 100,25 175,170 25,170"
shape "$deux/losange-jaune.gif" "#F2C200" "polygon 100,20 175,100 100,180 25,100"
shape "$deux/etoile-violette.gif" "#7B2CBF" \
  "polygon 100,20 120,78 180,78 132,114 150,172 100,138 50,172 68,114 20,78 80,78"
shape "$deux/rectangle-orange.gif" "#F77F00" "rectangle 25,65 175,135"
