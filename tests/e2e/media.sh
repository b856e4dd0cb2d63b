#!/usr/bin/env bash
# The audio and video samples in the packed player under Wine: clips are written to files in the
# current directory only while they are needed. Play on question 1 writes fenok401.<ext>; Play on
# question 3 replaces it with fenok403.<ext>; Stop (on question 1's button) stops question 3 and
# deletes its file; Play again (twice on the same clip), then closing the window, leaves no clip file
# behind.
set -uo pipefail
. "$(dirname "$0")/lib/session.sh"
e2e_init media

# The clips are not committed: make them when missing.
[ -f "$e2e_root/build/samples/video/violet.avi" ] || "$e2e_root/samples/make-clips.sh" >/dev/null ||
  { e2e_fail "making the sample clips"; e2e_finish; }

clip_files() { (cd "$e2e_work" && ls fenok4* 2>/dev/null | tr '\n' ' ' | sed 's/ $//'); }

# Enter in an answer box: the message loop hands the panel its dialog keys, and the play buttons are
# push buttons, so Enter could press the default one; it must judge the box and start nothing.
# The player writes the file on the click; give it a moment, as the click is queued.
wait_for_files() {  # wait_for_files EXPECTED
  local _
  for _ in $(seq 1 20); do
    [ "$(clip_files)" == "$1" ] && break
    sleep 0.25
  done
}

session() {  # session SAMPLE EXTENSION_OF_1 EXTENSION_OF_3
  local sample=$1 first="fenok401.$2" third="fenok403.$3" list="$e2e_work/$1.list"
  e2e_log "--- $sample quiz"
  e2e_pack "samples/$sample" "$sample" || return
  rm -f "$e2e_work"/fenok4*
  e2e_start "$sample" || return
  e2e_list "$list"
  local question
  for question in 1 2 3 4 5 6; do
    [ -n "$(e2e_quiz "$list" $((6000 + question)))" ] || e2e_fail "no play button for question $question"
    [ -n "$(e2e_quiz "$list" $((7000 + question)))" ] || e2e_fail "no stop button for question $question"
    [ -n "$(e2e_quiz "$list" $((9900 + question)))" ] || e2e_fail "no player placeholder for question $question"
  done
  e2e_expect_eq "no clip file at start" "$(clip_files)" ""

  # Enter in an answer box judges it; the play buttons are push buttons, and Enter must not press one.
  e2e_click_box "$list" 4001
  e2e_type "ZZZZZZZZ"
  e2e_keys Return
  sleep 1
  local entered="$e2e_work/$1-enter.list"
  e2e_list "$entered"
  e2e_expect_eq "Enter judged the box" "$(e2e_quiz_text "$entered" 5001)" "FAUX"
  e2e_expect_eq "Enter started no clip" "$(clip_files)" ""

  e2e_click_box "$list" 6001
  wait_for_files "$first"
  e2e_expect_eq "clip file after Play on question 1" "$(clip_files)" "$first"

  e2e_click_box "$list" 6003
  wait_for_files "$third"
  e2e_expect_eq "clip file after Play on question 3" "$(clip_files)" "$third"
  sleep 1
  e2e_shot "$sample"

  e2e_click_box "$list" 7001
  wait_for_files ""
  e2e_expect_eq "clip file after Stop on question 1's button" "$(clip_files)" ""

  e2e_click_box "$list" 6002
  wait_for_files "fenok402.$2"
  e2e_expect_eq "clip file after Play on question 2" "$(clip_files)" "fenok402.$2"
  # A second click on the playing clip pauses it where the player can pause, else starts it again:
  # either way its file stays and the program lives on.
  e2e_click_box "$list" 6002
  sleep 1
  e2e_expect_eq "clip file after a second Play on question 2" "$(clip_files)" "fenok402.$2"
  e2e_alive || e2e_fail "the player ended after a second click on Play"

  e2e_close
  e2e_expect_eq "clip file after closing the window" "$(clip_files)" ""
}

session audio WAV MP3
session video AVI AVI
e2e_finish
