#!/usr/bin/env bash
# The studio as one web page, end to end: fenok-studio.html is assembled from the web, win32 and win64
# builds; in headless Chromium an author makes a quiz of phone photos with it and downloads the quiz in
# its three kinds, then chooses an iPhone's HEIC Chromium cannot read and a WebP too large for a quiz,
# and opens a folder of 2,000 pictures (tests/web/studio_page.py); fenok-pack reads each download back
# and builds the same bytes from the description the page kept; the program of this host's kind plays
# under Wine, judging the answer typed in the browser; and the page opens in WebKitGTK
# (tests/web/webkit_studio.py). Screenshots in build/e2e/<arch>/, or docs/ with FENOK_UPDATE_DOCS=1.
set -uo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_init studio_page
cd "$e2e_root"
. scripts/lib/studio_page.sh

page=build/web/bin/fenok-studio.html
fenok_studio_page >"$e2e_work/assemble.log" 2>&1 || { e2e_fail "assembling $page: $(tail -3 "$e2e_work/assemble.log")"; e2e_finish; }
e2e_expect_eq "the page weighs at most 2.5 MB" "$(( $(stat -c %s "$page") <= 2621440 ))" 1
shots=$e2e_out
[ "${FENOK_UPDATE_DOCS:-}" = 1 ] && shots=$e2e_root/docs

# A phone's photos: a camera's name, a WebP, and a name that is markup.
photos=$e2e_work/photos
mkdir -p "$photos"
# As phones store them: colour at half the resolution (4:2:0 and 4:2:2), larger than the player's box,
# which the page's decoder upsamples with vector code the native one does not share on every system.
convert samples/demo/pictures/france.jpg -resize 1200x -sampling-factor 2x2 -quality 90 "$photos/IMG_20240612_101500.jpg"
convert samples/demo/pictures/belgique.jpg -resize 900x -sampling-factor 2x1 -quality 90 \
  "$photos/<img src=x onerror=window.hacked=1>.jpg"
cp samples/demo/pictures/allemagne.gif "$photos/arc.gif"
convert -size 320x240 gradient:orange-white "$photos/tour-eiffel.webp"

convert -size 320x240 gradient:blue-white "$e2e_work/IMG_0042.heic"
convert -size 16000x8000 xc:red -define webp:lossless=true "$e2e_work/panorama.webp"  # 128 million pixels
crowded=$e2e_work/crowded  # 2,000 pictures
mkdir -p "$crowded"
for i in $(seq 1 2000); do cp samples/demo/pictures/pologne.png "$crowded/drapeau-$i.png"; done
/usr/bin/python3 tests/web/studio_page.py "$page" "$photos" "$e2e_work" "$shots" "$e2e_work/IMG_0042.heic" \
  "$e2e_work/panorama.webp" "$crowded" >"$e2e_work/chromium.log" 2>&1
sed 's/^/  /' "$e2e_work/chromium.log"
grep -q '^web\[studio-page\]: all passed' "$e2e_work/chromium.log" || e2e_fail "the studio page in Chromium"

# What the page created, read back by fenok-pack: the answer typed, and each program of its kind.
downloads=$e2e_work/downloads
for made in quiz32.exe quiz64.exe quiz.html; do
  inspected=$("$e2e_native/bin/fenok-pack" inspect "$downloads/$made" 2>&1)
  e2e_expect_eq "$made holds the four questions" "$(echo "$inspected" | sed -n 's/^question_count = //p')" 4
  e2e_expect_eq "$made holds the answer typed in the page" "$(echo "$inspected" | grep -c '^answer = "PARIS"')" 1
done
# The two studios cannot drift: fenok-pack builds the description the page kept, with the same photos,
# into the same bytes (the WebP too: the browser and fenok-pack decode it with libwebp alike).
rebuild=$e2e_work/rebuild
mkdir -p "$rebuild" && cp "$photos"/* "$rebuild/" && cp "$e2e_work/kept.toml" "$rebuild/quiz.toml"
"$e2e_native/bin/fenok-pack" build "$rebuild/quiz.toml" -o "$rebuild/quiz.html" --web-player build/web/bin/fenok-web.html >/dev/null
"$e2e_native/bin/fenok-pack" build "$rebuild/quiz.toml" -o "$rebuild/quiz32.exe" --stub build/win32/bin/fenok.exe >/dev/null
"$e2e_native/bin/fenok-pack" build "$rebuild/quiz.toml" -o "$rebuild/quiz64.exe" --arch x64 --stub build/win64/bin/fenok.exe >/dev/null
for made in quiz32.exe quiz64.exe quiz.html; do
  e2e_expect_eq "$made is byte for byte what fenok-pack builds" "$(cmp -s "$downloads/$made" "$rebuild/$made" && echo same)" same
done
e2e_expect_eq "quiz32.exe is a 32-bit program" "$(objdump -f "$downloads/quiz32.exe" 2>/dev/null | grep -o 'pei-i386')" pei-i386
e2e_expect_eq "quiz64.exe is a 64-bit program" "$(objdump -f "$downloads/quiz64.exe" 2>/dev/null | grep -o 'pei-x86-64')" pei-x86-64

# The program of this host's kind plays, and judges the answer its file restores.
program=$([ "$e2e_arch" = win32 ] && echo quiz32.exe || echo quiz64.exe)
cp "$downloads/$program" "$e2e_work/fromweb.exe"
printf '\r\nparis\r\n\r\n\r\n' >"$e2e_work/fromweb.txt"
if e2e_start fromweb; then
  list="$e2e_work/fromweb-list.txt"
  e2e_list "$list"
  e2e_expect_eq "$program: its window is the quiz's" "$(e2e_row "$list" main 0 | cut -f10-)" "Mon quiz"
  e2e_expect_eq "$program: the answer restored is judged" "$(e2e_header_text "$list" 32)" " 1 / 4"
  e2e_shot fromweb
  e2e_close
fi

# Safari's engine: WebKitGTK on this virtual display.
/usr/bin/python3 tests/web/webkit_studio.py "$page" samples/demo/pictures/france.jpg "$photos/tour-eiffel.webp" \
  "$shots/studio-page-webkit.png" >"$e2e_work/webkit.log" 2>&1
grep '^web\[webkit-studio\]:' "$e2e_work/webkit.log" | sed 's/^/  /'
grep -q '^web\[webkit-studio\]: all passed' "$e2e_work/webkit.log" || e2e_fail "the studio page in WebKitGTK: $(tail -3 "$e2e_work/webkit.log")"
e2e_finish
