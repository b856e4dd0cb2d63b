#!/usr/bin/env bash
# The studio under Wine as an author uses it, on a 1280x1024 virtual display driven with xdotool and
# read with fenok-probe: opened on a folder of 12 pictures, a title typed, the accents made strict
# with an accented answer (the warning shows) and tolerant again, a variant added, trial answers
# judged, the description saved, the quiz tried (F5) and created; then the created program is played
# and its saved answers checked. Then a folder of phone photos: no answers drafted and one error a
# question, answers typed with Enter from one to the next under each picture, a removal undone, the
# window maximised, and opened maximised again the next time. Last, a folder of every picture format
# and a note: what this Windows cannot read is named, with the reason.
set -uo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_init studio

studio_exe="$e2e_win/bin/fenok-studio.exe"
[ -f "$studio_exe" ] || { e2e_fail "missing $studio_exe (build the $e2e_arch preset first)"; e2e_finish; }
# What an earlier session kept (recent files, the window's place, Wine's way with windows, set below)
# would change this one.
rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/fenok
"$FENOK_WINE" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1

studio_probe() { (cd "$e2e_work" && "$FENOK_WINE" "$e2e_win/bin/fenok-probe.exe" "$@" 2>/dev/null) | tr -d '\r'; }
studio_alive() { (cd "$e2e_work" && "$FENOK_WINE" "$e2e_win/bin/fenok-probe.exe" studio-alive >/dev/null 2>&1); }
# Listing fields: 3 id, 5 x, 6 y, 7 width, 8 height, 9 visible, 10 enabled, 11 text.
studio_list() { studio_probe studio-list >"$e2e_work/listing.txt"; }
studio_control() { awk -F'\t' -v id="$1" '$1 == "control" && $3 == id { print; exit }' "$e2e_work/listing.txt"; }
studio_text() { studio_control "$1" | cut -f11-; }
studio_rows() { awk -F'\t' -v id="$1" '$1 == "item" && $2 == id { print $NF }' "$e2e_work/listing.txt"; }
studio_click() {  # studio_click ID: the middle of a control
  local row
  row=$(studio_control "$1")
  [ -n "$row" ] || { e2e_fail "no control $1 to click"; return 1; }
  e2e_click $(($(echo "$row" | cut -f5) + $(echo "$row" | cut -f7) / 2)) $(($(echo "$row" | cut -f6) + $(echo "$row" | cut -f8) / 2))
}
# studio_replace ID TEXT: the control's text replaced by typing, as an author would.
studio_replace() {
  studio_click "$1"
  e2e_keys End shift+Home BackSpace
  [ -z "$2" ] || e2e_type "$2"
}

windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

# Control identifiers (src/studio/studio_ids.h).
TITLE=1001 ACCENTS=1010 QUESTIONS=1020 ALSO=1039 TRIAL=1041 VERDICT=1042 PROBLEMS_LABEL=1060 PROBLEMS=1061
CREATE=40011 ANSWER=1037 PREVIEW=1055

# --- a folder of 12 pictures, named after their answers ------------------------------------------------
folder="$e2e_work/monuments"
mkdir -p "$folder"
colours=(red orange gold green teal blue navy purple pink brown gray black)
names=(arc bastille concorde invalides louvre madeleine opera pantheon pont-neuf sacre-coeur tour-eiffel été)
for i in "${!names[@]}"; do
  convert -size 320x240 "gradient:${colours[$i]}-white" "$folder/${names[$i]}.jpg"
done

# --- the studio opened on the folder ----------------------------------------------------------------------
(cd "$e2e_work" && "$FENOK_WINE" "$studio_exe" "$(windows_path "$folder")" >>"$e2e_work/studio.log" 2>&1 &)
for _ in $(seq 1 60); do studio_alive && break; sleep 1; done
studio_alive || { e2e_fail "the studio's window never appeared: $(tail -5 "$e2e_work/studio.log")"; e2e_finish; }
sleep 2
studio_list
e2e_expect_eq "questions drafted from the folder" "$(studio_rows $QUESTIONS | wc -l)" 12
e2e_expect_eq "last question's answer" "$(studio_rows $QUESTIONS | tail -1)" "ÉTÉ"
e2e_expect_eq "title from the folder" "$(studio_text $TITLE)" monuments
e2e_expect_eq "no problems" "$(studio_text $PROBLEMS_LABEL)" "Probl&èmes : aucun, le quiz peut être créé"

studio_replace $TITLE "Monuments de Paris"
studio_list
e2e_expect_eq "title typed" "$(studio_text $TITLE)" "Monuments de Paris"
e2e_expect_eq "window title marks the change" "$(awk -F'\t' '$1 == "main" { print $11 }' "$e2e_work/listing.txt")" "quiz.toml * - fenok studio"

# The last question, ÉTÉ: strict accents warn about its accented capitals, tolerant ones do not.
studio_click $QUESTIONS
e2e_keys End
studio_click $ACCENTS
e2e_keys Up Return
studio_list
e2e_expect_eq "strict accents: one warning" "$(studio_rows $PROBLEMS | wc -l)" 1
if studio_rows $PROBLEMS | grep -q 'accents = "tolerant"'; then e2e_log "ok: the warning suggests tolerant accents"
else e2e_fail "no accents warning: $(studio_rows $PROBLEMS)"; fi
e2e_shot strict
studio_click $ACCENTS
e2e_keys Down Return
studio_list
e2e_expect_eq "tolerant accents: no problem" "$(studio_rows $PROBLEMS | wc -l)" 0

# A variant, then trial answers judged as the player judges them.
studio_replace $ALSO "SUMMER"
judge() {  # judge TYPED EXPECTED-VERDICT
  studio_replace $TRIAL "$1"
  e2e_keys Return
  studio_list
  e2e_expect_eq "trial '$1'" "$(studio_text $VERDICT)" "$2"
}
judge "ete" BRAVO
judge "summer" BRAVO
judge "sumer" Quasiment
judge "xyz" FAUX
judge "été" BRAVO
e2e_shot trial
# The window alone, as the author's guide shows it: its client area and the menu bar above it (the
# caption is the window manager's, and this display has none).
menu_bar=20
read -r wx wy ww wh < <(awk -F'\t' '$1 == "client" { print $5, $6, $7, $8 }' "$e2e_work/listing.txt")
import -window root -crop "${ww}x$((wh + menu_bar))+${wx}+$((wy - menu_bar))" +repage "$e2e_out/studio-window.png" &&
  e2e_log "screenshot build/e2e/$e2e_arch/studio-window.png"

# Saved without a dialog: the description goes where the folder's quiz is kept.
e2e_keys ctrl+s
sleep 1
description="$folder/quiz.toml"
e2e_expect_eq "saved description's title" "$(grep '^title' "$description")" 'title = "Monuments de Paris"'
e2e_expect_eq "saved variant" "$(grep -c '^also = \["SUMMER"\]' "$description")" 1

# F5 packs a trial program and starts it: the player's own window, with the quiz as it stands.
e2e_keys F5
for _ in $(seq 1 30); do e2e_alive && break; sleep 1; done
if e2e_alive; then
  sleep 2
  e2e_list "$e2e_work/trial.txt"
  e2e_expect_eq "trial player's title" "$(e2e_row "$e2e_work/trial.txt" main 0 | cut -f10-)" "Monuments de Paris"
  e2e_shot trial-player
  e2e_close
else
  e2e_fail "F5 started no player"
fi

# Created through the save dialog: the 32-bit program by default, the 64-bit one (second type)
# where this host cannot run 32-bit programs.
program="$e2e_work/monuments.exe"
studio_click $CREATE
sleep 2
e2e_shot create-dialog
e2e_type "$(windows_path "$program")"
if [ "$FENOK_PLAYER_ARCH" == "win64" ]; then e2e_keys Tab Down; fi
e2e_keys Return
sleep 4
e2e_shot created
e2e_keys Return   # "Le quiz est créé"
[ -f "$program" ] || e2e_fail "the quiz program was not created"
studio_probe studio-close >/dev/null
sleep 2
studio_alive && e2e_fail "the studio stayed open after a saved quiz was closed"

# --- the created quiz, played -------------------------------------------------------------------------
if [ -f "$program" ]; then
  e2e_start monuments
  e2e_list "$e2e_work/player.txt"
  e2e_expect_eq "player window title" "$(e2e_row "$e2e_work/player.txt" main 0 | cut -f10-)" "Monuments de Paris"
  e2e_click_box "$e2e_work/player.txt" 4001
  e2e_type "arc"
  e2e_keys Tab
  e2e_type "bastile"
  e2e_keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab
  e2e_type "summer"
  e2e_keys Return
  e2e_list "$e2e_work/player-typed.txt"
  e2e_expect_eq "verdict of 1" "$(e2e_quiz_text "$e2e_work/player-typed.txt" 5001)" BRAVO
  e2e_expect_eq "verdict of 2" "$(e2e_quiz_text "$e2e_work/player-typed.txt" 5002)" Quasiment
  e2e_expect_eq "verdict of 12 (the variant)" "$(e2e_quiz_text "$e2e_work/player-typed.txt" 5012)" BRAVO
  e2e_shot played
  e2e_close
  e2e_expect_eq "saved answers" "$(e2e_file_lines "$e2e_work/monuments.txt" | sed -n '1p;2p;12p' | tr '\n' ' ')" "arc bastile summer "
fi

# --- a folder of phone photos ------------------------------------------------------------------------------
# Names that say nothing of what the photos show, in the order of their names; each photo of one
# colour, the fourth taken sideways (its Exif orientation turns it upright).
phone="$e2e_work/vacances"
mkdir -p "$phone"
photos=(DSC01234.jpg IMG_20240612_101530.jpg IMG_20240612_101544.jpg IMG_20240613_090000.jpg
        PXL_20230101_120000123.jpg "WhatsApp Image 2024-06-12 at 10.15.30.jpeg")
hues=(red lime blue red lime blue)
shapes=(landscape landscape landscape portrait landscape landscape)
# A camera's Exif block after the JPEG's start: orientation 6, "turn a quarter clockwise to see it".
sideways() {
  python3 - "$1" <<'PY'
import struct, sys
path = sys.argv[1]
jpeg = open(path, "rb").read()
tiff = b"MM" + struct.pack(">HIH", 42, 8, 1) + struct.pack(">HHIHH", 0x0112, 3, 1, 6, 0) + struct.pack(">I", 0)
app1 = b"Exif\0\0" + tiff
open(path, "wb").write(jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(app1) + 2) + app1 + jpeg[2:])
PY
}
for i in "${!photos[@]}"; do
  convert -size 320x240 "xc:${hues[$i]}" "$phone/${photos[$i]}"
  [ "${shapes[$i]}" == portrait ] && sideways "$phone/${photos[$i]}"
done
channel() { case $1 in red) echo r ;; lime) echo g ;; blue) echo b ;; esac; }
# The picture on screen, from a screenshot and the preview's place: its strongest channel, and the
# shape of the part of it in the photo's colour.
preview_crop() {
  local row
  row=$(studio_control $PREVIEW)
  import -window root "$e2e_work/screen.png"
  convert "$e2e_work/screen.png" -crop "$(echo "$row" | awk -F'\t' '{ print $7 "x" $8 "+" $5 "+" $6 }')" +repage \
    "$e2e_work/preview.png"
}
preview_channel() {
  preview_crop
  convert "$e2e_work/preview.png" -resize '1x1!' -depth 8 txt:- |
    sed -n 's/.*srgb(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p' |
    awk '{ if ($1 >= $2 && $1 >= $3) print "r"; else if ($2 >= $3) print "g"; else print "b" }'
}
preview_shape() {  # preview_shape HUE: after preview_crop
  convert "$e2e_work/preview.png" -fuzz 25% -fill white -opaque "$1" -fill black +opaque white -format '%@' info: |
    sed 's/+.*//' | awk -Fx '{ print ($1 > $2 ? "landscape" : "portrait") }'
}

# This display has no window manager to give a maximised window the screen: Wine does it itself for
# the windows it does not leave to one.
"$FENOK_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
(cd "$e2e_work" && "$FENOK_WINE" "$studio_exe" "$(windows_path "$phone")" >>"$e2e_work/studio.log" 2>&1 &)
for _ in $(seq 1 60); do studio_alive && break; sleep 1; done
studio_alive || { e2e_fail "the studio did not open the phone photos"; e2e_finish; }
sleep 3
studio_list
e2e_expect_eq "a question a photo" "$(studio_rows $QUESTIONS | wc -l)" "${#photos[@]}"
e2e_expect_eq "no answer drafted from a phone's names" "$(studio_rows $QUESTIONS | awk -F'\t' '$NF != ""' | wc -l)" 0
e2e_expect_eq "one error a question" "$(studio_rows $PROBLEMS | grep -c '^Erreur')" "${#photos[@]}"
e2e_shot phone-opened

# Alt+R reaches the answer; each Enter goes on to the next question, whose picture then shows.
answers=(coquelicot pelouse ciel tomate menthe lagune)
studio_click $QUESTIONS
e2e_keys Home alt+r
for i in "${!answers[@]}"; do
  studio_list
  e2e_expect_eq "question $((i + 1)) shown" "$(studio_text $PREVIEW)" "${photos[$i]}"
  e2e_expect_eq "question $((i + 1))'s picture on screen" "$(preview_channel)" "$(channel "${hues[$i]}")"
  e2e_expect_eq "question $((i + 1))'s picture upright" "$(preview_shape "${hues[$i]}")" "${shapes[$i]}"
  [ "$i" -eq 3 ] && e2e_shot phone-sideways-upright
  e2e_type "${answers[$i]}"
  e2e_keys Return
done
studio_list
e2e_expect_eq "answers typed one after the other" "$(studio_rows $QUESTIONS | awk -F'\t' '{ print $NF }' | tr '\n' ' ')" \
  "${answers[*]} "
e2e_expect_eq "no error once answered" "$(studio_rows $PROBLEMS | grep -c '^Erreur')" 0
e2e_shot phone-answered

# The third question removed by mistake, and given back by Ctrl+Z with its answer.
studio_click $QUESTIONS
e2e_keys Home Down Down alt+e
studio_list
e2e_expect_eq "question removed" "$(studio_rows $QUESTIONS | wc -l)" $((${#photos[@]} - 1))
e2e_keys ctrl+z
studio_list
e2e_expect_eq "removal undone" "$(studio_rows $QUESTIONS | awk -F'\t' '{ print $NF }' | sed -n 3p)" ciel
e2e_expect_eq "the question given back is shown" "$(studio_text $PREVIEW)" "${photos[2]}"

# Maximised: the lists and the picture take the room.
read -r list_height < <(studio_control $QUESTIONS | cut -f8)
read -r picture_width < <(studio_control $PREVIEW | cut -f7)
studio_probe studio-maximise >/dev/null
sleep 3
studio_list
e2e_expect_eq "maximised" "$(awk -F'\t' '$1 == "zoomed" { print $2 }' "$e2e_work/listing.txt")" 1
e2e_expect_eq "the questions list grew" "$([ "$(studio_control $QUESTIONS | cut -f8)" -gt "$list_height" ] && echo yes)" yes
e2e_expect_eq "the picture grew" "$([ "$(studio_control $PREVIEW | cut -f7)" -gt "$picture_width" ] && echo yes)" yes
e2e_expect_eq "the maximised window's picture" "$(preview_channel)" "$(channel "${hues[2]}")"
e2e_shot phone-maximised

e2e_keys ctrl+s
sleep 1
e2e_expect_eq "saved answers" "$(grep -c '^answer = "' "$phone/quiz.toml")" "${#photos[@]}"
studio_probe studio-close >/dev/null
sleep 2
studio_alive && e2e_fail "the studio stayed open after the phone quiz was saved"

# Opened again where it was left: maximised.
(cd "$e2e_work" && "$FENOK_WINE" "$studio_exe" "$(windows_path "$phone/quiz.toml")" >>"$e2e_work/studio.log" 2>&1 &)
for _ in $(seq 1 60); do studio_alive && break; sleep 1; done
sleep 3
studio_list
e2e_expect_eq "opened maximised again" "$(awk -F'\t' '$1 == "zoomed" { print $2 }' "$e2e_work/listing.txt")" 1
studio_probe studio-close >/dev/null
sleep 2

# --- a folder of every kind of picture, and a note --------------------------------------------------------
# Wine has no codec for WebP, HEIC or AVIF: those are left out with what to install, and so is the note;
# every file of the folder is either a question or named in the message.
mixed="$e2e_work/melange"
mkdir -p "$mixed"
convert -size 320x240 gradient:red-white "$mixed/louvre.jpg"
convert -size 320x240 gradient:blue-white "$mixed/ete.png"
convert -size 320x240 xc:green "$mixed/sol.gif"
for kind in webp heic avif; do convert -size 320x240 gradient:orange-white "$mixed/image-$kind.$kind"; done
echo "a note" >"$mixed/notes.txt"
(cd "$e2e_work" && "$FENOK_WINE" "$studio_exe" "$(windows_path "$mixed")" >>"$e2e_work/studio.log" 2>&1 &)
message=
for _ in $(seq 1 60); do message=$(studio_probe studio-message) && [ -n "$message" ] && break; sleep 1; done
e2e_shot mixed-left-out
# (Wine's message box gives its text back on one line: each file is looked for in the whole of it.)
e2e_expect_eq "the files left out are told" "$(echo "$message" | grep -c "^Ces fichiers du dossier ne sont pas dans le quiz :")" 1
e2e_keys Return
sleep 2
studio_list
for name in louvre.jpg ete.png sol.gif image-webp.webp image-heic.heic image-avif.avif notes.txt; do
  answer=$(echo "${name%.*}" | tr 'a-z-' 'A-Z ')
  in_quiz=$(studio_rows $QUESTIONS | awk -F'\t' -v a="$answer" '$NF == a' | wc -l)
  told=$(echo "$message" | grep -o "« $name »" | wc -l)
  e2e_expect_eq "$name: a question or told, once" "$((in_quiz + told))" 1
done
if echo "$message" | grep -q "« image-heic.heic » ne peut pas être lue.*Extensions d'image HEIF"; then
  e2e_log "ok: the HEIC photo names what Windows needs"
elif studio_rows $QUESTIONS | grep -q 'IMAGE HEIC'; then e2e_log "ok: this Windows reads HEIC"
else e2e_fail "the HEIC photo is neither read nor explained: $message"; fi
e2e_shot mixed-opened
e2e_keys ctrl+s
sleep 1
studio_probe studio-close >/dev/null
sleep 2
studio_alive && e2e_fail "the studio stayed open after the mixed quiz was saved"
e2e_finish
