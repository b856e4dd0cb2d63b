#!/usr/bin/env bash
# The packed player under Wine on a 1280x1024 virtual display, driven with xdotool and read with
# fenok-probe: a picture quiz (samples/demo) and a text quiz (samples/texte). Each is started
# minimised with prepared answers; we check the window, the layout, the pictures, the restored answers
# with their verdicts, counter and code, then type answers, move with Tab, save with F2 and close.
set -uo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_init player

# The texts of boxes 4001.. of a listing, one a line.
box_texts() {  # box_texts LISTING COUNT
  local i
  for i in $(seq 1 "$2"); do e2e_quiz_text "$1" $((4000 + i)); done
}
inside() {  # inside "x y w h" "X Y W H": the first rectangle lies within the second
  local a=($1) b=($2)
  [ "${a[0]}" -ge "${b[0]}" ] && [ "${a[1]}" -ge "${b[1]}" ] &&
    [ $((a[0] + a[2])) -le $((b[0] + b[2])) ] && [ $((a[1] + a[3])) -le $((b[1] + b[3])) ]
}

check_window_and_layout() {  # check_window_and_layout LISTING TITLE
  local list=$1
  local main client
  main=$(e2e_row "$list" main 0)
  e2e_expect_eq "window title" "$(echo "$main" | cut -f10-)" "$2"
  e2e_expect_eq "window rectangle (started minimised)" "$(echo "$main" | e2e_geometry)" "175 212 930 600"
  e2e_expect_eq "window visible" "$(echo "$main" | cut -f9)" "1"
  client=($(e2e_row "$list" client 0 | e2e_geometry) 0 0 0 0)
  local cx=${client[0]} cy=${client[1]} w=${client[2]} h=${client[3]}
  e2e_expect_eq "header panel" "$(e2e_panel "$list" 27 | e2e_geometry)" "$((cx + 5)) $((cy + 2)) $((w - 11)) 49"
  e2e_expect_eq "quiz panel" "$(e2e_panel "$list" 4001 | e2e_geometry)" "$((cx + 5)) $((cy + 50)) $((w - 11)) $((h - 68))"
  e2e_expect_eq "status label" "$(e2e_row "$list" control 8000 | e2e_geometry)" "$((cx + w - 145)) $((cy + h - 16)) 150 15"
}

check_verdicts() {  # check_verdicts LISTING VERDICT...
  local list=$1 i=1
  shift
  for expected in "$@"; do
    e2e_expect_eq "verdict $i" "$(e2e_quiz_text "$list" $((5000 + i)))" "$expected"
    i=$((i + 1))
  done
}

check_saved_file() {  # check_saved_file FILE LISTING COUNT: one line per box, as the boxes show
  local expected actual
  expected=$(box_texts "$2" "$3")
  actual=$(e2e_file_lines "$1")
  e2e_expect_eq "lines in $(basename "$1")" "$(e2e_file_lines "$1" | wc -l)" "$3"
  if [ "$actual" == "$expected" ]; then e2e_log "ok: $(basename "$1") holds what the boxes show"
  else e2e_fail "$(basename "$1") differs from the boxes: $(diff <(echo "$expected") <(echo "$actual") | tr '\n' ' ')"; fi
}

# --- picture quiz ----------------------------------------------------------------------------------
e2e_pack samples/demo demo
printf 'FRANCE\r\nitalie\r\nBELGIKUE\r\nZZZZ\r\n' >"$e2e_work/demo.txt"
e2e_start demo min
list="$e2e_work/demo-start.txt"
e2e_list "$list"
e2e_shot demo-start
check_window_and_layout "$list" "Drapeaux d'Europe et d'ailleurs"
check_verdicts "$list" BRAVO BRAVO "$(e2e_quiz_text "$list" 5003)" FAUX "?"
v3=$(e2e_quiz_text "$list" 5003)
if [ -z "$v3" ] || [ "$v3" == "?" ] || [ "$v3" == "FAUX" ] || [ "$v3" == "BRAVO" ]; then
  e2e_fail "verdict 3: a hint expected for BELGIKUE, got '$v3'"
fi
e2e_expect_eq "restored box 2" "$(e2e_quiz_text "$list" 4002)" "italie"
e2e_expect_eq "counter" "$(e2e_header_text "$list" 32)" " 2 / 10"
e2e_expect_eq "code" "$(e2e_header_text "$list" 30)" "Deux"
e2e_expect_eq "comment of a solved question shown" "$(e2e_quiz "$list" 8001 | cut -f9)" "1"
e2e_expect_eq "comment of an open question hidden" "$(e2e_quiz "$list" 8004 | cut -f9)" "0"
for q in 1 2 3 4 5 6 7 8 9 10; do
  size=($(e2e_quiz "$list" $((9900 + q)) | e2e_geometry))
  if [ "${size[2]:-0}" -lt 1 ] || [ "${size[3]:-0}" -lt 1 ] || [ "${size[2]}" -gt 260 ] || [ "${size[3]}" -gt 260 ] ||
     { [ "${size[2]}" -lt 259 ] && [ "${size[3]}" -lt 259 ]; }; then
    e2e_fail "picture $q is not scaled into the 260 x 260 box: ${size[*]:-missing}"
  fi
done
e2e_log "ok: pictures scaled into their boxes"

# From box 1, Tab to box 5 (out of view: the view follows), answer and commit it with Enter; Tab to
# the next box, answer, Tab again (each focus loss judges).
e2e_click_box "$list" 4001
e2e_keys Tab Tab Tab Tab
e2e_type "autriche"
e2e_keys Return
e2e_keys Tab
e2e_type "POLOGNE"
e2e_keys Tab
e2e_type "Suede"
e2e_keys F2
sleep 1
list="$e2e_work/demo-played.txt"
e2e_list "$list"
e2e_shot demo-played
check_verdicts "$list" BRAVO BRAVO "$v3" FAUX BRAVO BRAVO "?"
e2e_expect_eq "counter after typing" "$(e2e_header_text "$list" 32)" " 4 / 10"
e2e_expect_eq "code after typing" "$(e2e_header_text "$list" 30)" "Quatre"
e2e_expect_eq "F2 saved the typed box" "$(e2e_file_lines "$e2e_work/demo.txt" | sed -n 7p)" "Suede"
quiz_rect=$(e2e_panel "$list" 4001 | e2e_geometry)
box_rect=$(e2e_quiz "$list" 4007 | e2e_geometry)
if inside "$box_rect" "$quiz_rect"; then e2e_log "ok: the view follows the focus (box 7 in view)"
else e2e_fail "box 7 ($box_rect) is outside the quiz panel ($quiz_rect) after Tab"; fi
e2e_close
check_saved_file "$e2e_work/demo.txt" "$list" 10

# --- playing: verdict colours, "Cacher", the wheel, F1 ------------------------------------------------
# pixel_at PNG X Y: the colour of one screen pixel, as "R,G,B".
pixel_at() { /usr/bin/convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)],%[fx:int(255*p{'"$2"','"$3"'}.g)],%[fx:int(255*p{'"$2"','"$3"'}.b)]' info:; }
label_colour() {  # label_colour LISTING PNG ID: the colour just inside the label's border
  local g
  g=($(e2e_quiz "$1" "$3" | e2e_geometry))
  pixel_at "$2" $((g[0] + 3)) $((g[1] + 3))
}
top_of() { e2e_quiz "$1" "$2" | cut -f6; }

rm -f "$e2e_work/demo.txt"
printf 'FRANCE\r\nITALIE\r\nBELGIQUE\r\nENGAMELLA\r\nAUTRICH\r\nZZZZ\r\n' >"$e2e_work/demo.txt"
e2e_start demo
before="$e2e_work/play-before.txt"
e2e_list "$before"
e2e_expect_eq "counter with row 1 solved" "$(e2e_header_text "$before" 32)" " 3 / 10"
e2e_expect_eq "verdict of an anagram" "$(e2e_quiz_text "$before" 5004)" "Anagramme"
row1=0
for q in 1 2 3; do h=$(e2e_quiz "$before" $((9900 + q)) | cut -f8); [ "$h" -gt "$row1" ] && row1=$h; done

# "Cacher": the solved row loses its pictures and closes up (its height plus the 65 of the comments).
cacher=($(e2e_header "$before" 33 | e2e_geometry))
e2e_click $((cacher[0] + 8)) $((cacher[1] + cacher[3] / 2))
hidden="$e2e_work/play-hidden.txt"
e2e_list "$hidden"
e2e_shot play-hidden
for q in 1 2 3; do e2e_expect_eq "picture $q hidden" "$(e2e_quiz "$hidden" $((9900 + q)) | cut -f9)" "0"; done
e2e_expect_eq "solved box 1 moved into its picture's place" "$(top_of "$hidden" 4001)" "$(($(top_of "$before" 4001) - row1))"
e2e_expect_eq "row 2 moved up by the closed row" "$(top_of "$hidden" 4004)" "$(($(top_of "$before" 4004) - row1 - 65))"
shot="$e2e_out/player-play-hidden.png"
e2e_expect_eq "BRAVO is green" "$(label_colour "$hidden" "$shot" 5001)" "0,255,0"
e2e_expect_eq "Anagramme is orange" "$(label_colour "$hidden" "$shot" 5004)" "255,100,0"
e2e_expect_eq "a hint ($(e2e_quiz_text "$hidden" 5005)) is amber" "$(label_colour "$hidden" "$shot" 5005)" "255,203,38"
e2e_expect_eq "FAUX is red" "$(label_colour "$hidden" "$shot" 5006)" "255,0,0"

# One wheel notch over the quiz panel scrolls the content by 50 pixels.
panel=($(e2e_panel "$hidden" 4001 | e2e_geometry))
xdotool mousemove --sync $((panel[0] + panel[2] / 2)) $((panel[1] + panel[3] / 2)) click 5
sleep 0.5
wheeled="$e2e_work/play-wheeled.txt"
e2e_list "$wheeled"
e2e_expect_eq "one wheel notch" "$(top_of "$wheeled" 4004)" "$(($(top_of "$hidden" 4004) - 50))"

# Unchecking "Cacher" restores the grid exactly.
e2e_click $((cacher[0] + 8)) $((cacher[1] + cacher[3] / 2))
shown="$e2e_work/play-shown.txt"
e2e_list "$shown"
e2e_expect_eq "pictures back" "$(e2e_quiz "$shown" 9901 | cut -f9)" "1"
e2e_expect_eq "row spacing restored" "$(($(top_of "$shown" 4004) - $(top_of "$shown" 4001)))" \
  "$(($(top_of "$before" 4004) - $(top_of "$before" 4001)))"

# F1 in a solved box tries its text on every unsolved question; solved boxes keep theirs.
e2e_click_box "$shown" 4001
e2e_keys F1
sleep 0.5
spread="$e2e_work/play-spread.txt"
e2e_list "$spread"
e2e_shot play-spread
e2e_expect_eq "box 2 kept" "$(e2e_quiz_text "$spread" 4002)" "ITALIE"
for i in 4 6 10; do e2e_expect_eq "box $i after F1" "$(e2e_quiz_text "$spread" $((4000 + i)))" "FRANCE"; done
e2e_expect_eq "verdict 10 after F1" "$(e2e_quiz_text "$spread" 5010)" "FAUX"
e2e_expect_eq "counter after F1" "$(e2e_header_text "$spread" 32)" " 3 / 10"
e2e_close
check_saved_file "$e2e_work/demo.txt" "$spread" 10

# --- text quiz -------------------------------------------------------------------------------------
e2e_pack samples/texte texte
printf 'PARIS\r\nmadrid\r\nLISBON\r\n' >"$e2e_work/texte.txt"
e2e_start texte min
list="$e2e_work/texte-start.txt"
e2e_list "$list"
e2e_shot texte-start
check_window_and_layout "$list" "Capitales d'Europe"
v3=$(e2e_quiz_text "$list" 5003)
check_verdicts "$list" BRAVO BRAVO "$v3" "?"
e2e_expect_eq "counter" "$(e2e_header_text "$list" 32)" " 2 / $(grep -c '^\[\[question\]\]' "$e2e_root/samples/texte/quiz.toml")"
e2e_expect_eq "code" "$(e2e_header_text "$list" 30)" "Deux"
e2e_expect_eq "question text" "$(e2e_quiz_text "$list" 3000)" "Quelle est la capitale de la France ?"
e2e_click_box "$list" 4004
e2e_type "BERLIN"
e2e_keys Return
e2e_keys Tab
e2e_type "vienne"
e2e_keys Tab
sleep 0.5
list="$e2e_work/texte-played.txt"
e2e_list "$list"
e2e_shot texte-played
check_verdicts "$list" BRAVO BRAVO "$v3" BRAVO BRAVO
e2e_close
count=$(grep -c '^\[\[question\]\]' "$e2e_root/samples/texte/quiz.toml")
check_saved_file "$e2e_work/texte.txt" "$list" "$count"

e2e_finish
