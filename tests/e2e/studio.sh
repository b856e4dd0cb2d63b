#!/usr/bin/env bash
# The studio under Wine as an author uses it, on a 1280x1024 virtual display driven with xdotool and
# read with fenok-probe: opened on a folder of 12 pictures, a title typed, the accents made strict
# with an accented answer (the warning shows) and tolerant again, a variant added, trial answers
# judged, the description saved, the quiz tried (F5) and created; then the created program is played
# and its saved answers checked.
set -uo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_init studio

studio_exe="$e2e_win/bin/fenok-studio.exe"
[ -f "$studio_exe" ] || { e2e_fail "missing $studio_exe (build the $e2e_arch preset first)"; e2e_finish; }

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
CREATE=40011

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
e2e_expect_eq "no problems" "$(studio_text $PROBLEMS_LABEL)" "&Problèmes : aucun, le quiz peut être créé"

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
e2e_finish
