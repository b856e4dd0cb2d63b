# Stages of a test run: each runs a command with its output in a log of its own, takes its time, and
# leaves one line of the summary. Stages may run in the background (lanes), so every result is a file
# of its own, and the summary lists them in the order the stages started.
# Usage: . scripts/lib/stages.sh; stages_init DIR; stage NAME CMD...; note TEXT; stages_summary

stages_init() {  # stages_init DIR: a fresh results folder
  export FENOK_STAGES_DIR=$1
  rm -rf "$FENOK_STAGES_DIR"
  mkdir -p "$FENOK_STAGES_DIR/results" "$FENOK_STAGES_DIR/logs"
  date +%s >"$FENOK_STAGES_DIR/started"
}

# A stage's key orders the summary: a counter taken when the stage starts, shared by every lane.
stage_key() {
  (
    flock 8
    local n
    n=$(cat "$FENOK_STAGES_DIR/counter" 2>/dev/null || echo 0)
    echo $((n + 1)) >"$FENOK_STAGES_DIR/counter"
    printf '%03d' $((n + 1))
  ) 8>"$FENOK_STAGES_DIR/counter.lock"
}

# stage NAME CMD...: runs CMD with its output in logs/NAME.log; the command may call stage_detail
# TEXT to say more on its summary line (counts of tests, say). Returns CMD's status.
stage() {
  local name=$1
  shift
  local key started status minutes file detail
  key=$(stage_key)
  file=$(printf '%s' "$name" | tr -c 'A-Za-z0-9_.-' '-')
  stage_log="$FENOK_STAGES_DIR/logs/$file.log"
  stage_detail_file="$FENOK_STAGES_DIR/logs/$file.detail"
  echo "=== $name: started"
  started=$(date +%s)
  "$@" >"$stage_log" 2>&1 </dev/null
  status=$?
  minutes=$(awk -v s=$(($(date +%s) - started)) 'BEGIN { printf "%.1f", s / 60 }')
  detail=$(cat "$stage_detail_file" 2>/dev/null)
  detail="${detail:+$detail, }$minutes min"
  if [ "$status" -eq 0 ]; then
    echo "$name: passed ($detail)" >"$FENOK_STAGES_DIR/results/$key"
  else
    echo "$name: FAILED ($detail; build/${stage_log#*build/})" >"$FENOK_STAGES_DIR/results/$key"
    echo "$stage_log" >"$FENOK_STAGES_DIR/results/$key.failed"
  fi
  echo "=== $(cat "$FENOK_STAGES_DIR/results/$key")"
  return "$status"
}

stage_detail() { printf '%s' "$*" >"$stage_detail_file"; }

note() { echo "$*" >"$FENOK_STAGES_DIR/results/$(stage_key)"; }

# stages_wait_below N: waits until fewer than N of this shell's background stages run.
stages_wait_below() {
  while [ "$(jobs -rp | wc -l)" -ge "$1" ]; do wait -n; done
}

# stage_in_slot N NAME CMD...: the stage, once one of N slots shared by every lane is free: lanes run
# side by side, and the machine runs only so many sessions at once.
stage_in_slot() {
  local slots=$1 i fd
  shift
  while :; do
    for i in $(seq 1 "$slots"); do
      exec {fd}>"$FENOK_STAGES_DIR/slot-$i.lock"
      if flock -n "$fd"; then
        stage "$@"
        local status=$?
        exec {fd}>&-
        return "$status"
      fi
      exec {fd}>&-
    done
    sleep 1
  done
}

# stages_summary: every line in order, the total, the end of each failed stage's log; status 0 when
# every stage passed.
stages_summary() {
  local results=$FENOK_STAGES_DIR/results passed failed total log
  echo
  echo "=== summary"
  cat $(ls "$results" | grep -v '\.failed$' | sed "s|^|$results/|")
  passed=$(cat "$results"/[0-9][0-9][0-9] | grep -c ': passed (' || true)
  failed=$(ls "$results" | grep -c '\.failed$' || true)
  total=$(awk -v s=$(($(date +%s) - $(cat "$FENOK_STAGES_DIR/started"))) 'BEGIN { printf "%.1f", s / 60 }')
  for log in $(cat "$results"/*.failed 2>/dev/null); do
    echo
    echo "--- the end of $log"
    tail -40 "$log"
  done
  echo "tests: $passed passed, $failed failed, $total min"
  [ "$failed" -eq 0 ]
}
