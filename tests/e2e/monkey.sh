#!/usr/bin/env bash
# A bounded "monkey" session: a few thousand random keys (accented characters included), clicks and
# wheel notches over the packed picture quiz under Wine. The player must neither crash nor hang, and
# after it is closed the answers file must hold exactly what the boxes showed.
# FENOK_MONKEY_SEED repeats a run; FENOK_MONKEY_ACTIONS sets its length (default 3000).
set -uo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_init monkey

seed=${FENOK_MONKEY_SEED:-$((($(date +%s) % 30000) + 1))}
actions=${FENOK_MONKEY_ACTIONS:-3000}
batch=60
deadline=$((SECONDS + 240))
RANDOM=$seed
e2e_log "seed $seed, $actions actions"

keys=(a b c e f i l n o r s t u z A E R eacute egrave agrave ccedilla ecircumflex udiaeresis space minus
      apostrophe 1 2 BackSpace Delete Tab shift+Tab Return Return F1 F2 Prior Next Up Down Left Right
      Home End Escape)

e2e_pack samples/demo demo
printf 'FRANCE\r\nitalie\r\n\r\nZZZZ\r\n' >"$e2e_work/demo.txt"
e2e_start demo
list="$e2e_work/monkey-start.txt"
e2e_list "$list"
title=$(e2e_row "$list" main 0 | cut -f10-)
client=($(e2e_row "$list" client 0 | e2e_geometry) 0 0 0 0)
cx=${client[0]} cy=${client[1]} cw=${client[2]} ch=${client[3]}
link=($(e2e_header "$list" 24 | e2e_geometry) 0 0 0 0)
e2e_click_box "$list" 4001

# One random action as xdotool arguments (a key, a click inside the window, or a wheel notch).
random_action() {
  local pick=$((RANDOM % 100))
  if [ $pick -lt 78 ]; then
    echo "key ${keys[$((RANDOM % ${#keys[@]}))]}"
  elif [ $pick -lt 90 ]; then
    local x y
    while :; do
      x=$((cx + RANDOM % cw)); y=$((cy + RANDOM % ch))
      # The link would open a browser: every other place is fair game.
      if [ $x -lt $((link[0] - 4)) ] || [ $x -gt $((link[0] + link[2] + 4)) ] ||
         [ $y -lt $((link[1] - 4)) ] || [ $y -gt $((link[1] + link[3] + 4)) ]; then break; fi
    done
    echo "mousemove $x $y click 1"
  else
    echo "mousemove $((cx + cw / 2)) $((cy + ch / 2)) click $((4 + RANDOM % 2))"
  fi
}

done_actions=0
while [ $done_actions -lt "$actions" ] && [ $SECONDS -lt $deadline ]; do
  args=()
  for _ in $(seq 1 $batch); do args+=($(random_action)); done
  xdotool ${args[@]/#/} >/dev/null 2>&1 || true
  done_actions=$((done_actions + batch))
  if ! e2e_alive; then
    e2e_fail "the player is gone after $done_actions actions (seed $seed)"
    e2e_shot crashed
    e2e_finish
  fi
done
e2e_log "$done_actions actions sent"
sleep 1

# Still answering: a full listing needs the window procedures to run.
list="$e2e_work/monkey-end.txt"
e2e_list "$list"
e2e_shot end
e2e_expect_eq "title after the run (the window answers)" "$(e2e_row "$list" main 0 | cut -f10-)" "$title"
expected=$(for i in $(seq 1 10); do e2e_quiz_text "$list" $((4000 + i)); done)
e2e_close
actual=$(e2e_file_lines "$e2e_work/demo.txt")
e2e_expect_eq "lines in demo.txt" "$(e2e_file_lines "$e2e_work/demo.txt" | wc -l)" "10"
if [ "$actual" == "$expected" ]; then e2e_log "ok: demo.txt holds what the boxes showed"
else e2e_fail "demo.txt differs from the boxes (seed $seed): $(diff <(echo "$expected") <(echo "$actual") | tr '\n' ' ')"; fi
e2e_finish
