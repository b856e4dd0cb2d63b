# Helpers of the end-to-end sessions: a private virtual display and Wine prefix, packing a sample,
# starting the packed player, looking into its windows (fenok-probe), typing, screenshots, closing.
# Sourced by tests/e2e/*.sh; never run on its own.
#
# Build trees: FENOK_NATIVE_BUILD (default build/native, for fenok-pack) and FENOK_WIN_BUILD (for
# fenok.exe and fenok-probe.exe; default build/win32 where this host runs 32-bit programs, else
# build/win64). Each Windows build keeps its own results in build/e2e/<its folder name>/.
# FENOK_PROBE_BUILD: the build whose fenok-probe.exe looks into the player (default FENOK_WIN_BUILD).
# Under emulation the 32-bit player is watched by the 64-bit probe: its texts and rectangles cross
# processes of either kind, and each emulated process takes 20 to 30 s to start.

e2e_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
. "$e2e_root/scripts/lib/wine.sh"
fenok_wine_detect
e2e_native=$(realpath -m "${FENOK_NATIVE_BUILD:-$e2e_root/build/native}")
e2e_win=$(realpath -m "${FENOK_WIN_BUILD:-${FENOK_WIN32_BUILD:-$e2e_root/build/$FENOK_PLAYER_ARCH}}")
e2e_arch=$(basename "$e2e_win")
e2e_probe_exe=$(realpath -m "${FENOK_PROBE_BUILD:-$e2e_win}")/bin/fenok-probe.exe
# How long a program's window may take to appear.
e2e_window_wait=$([ "${FENOK_EMULATED_32:-0}" -eq 1 ] && echo 90 || echo 60)
e2e_failures=0
e2e_xvfb_pid=

e2e_log() { echo "e2e[$e2e_name/$e2e_arch]: $*"; }
e2e_fail() { echo "e2e[$e2e_name/$e2e_arch]: FAIL: $*" >&2; e2e_failures=$((e2e_failures + 1)); }
e2e_expect_eq() {  # e2e_expect_eq WHAT ACTUAL EXPECTED
  if [ "$2" == "$3" ]; then e2e_log "ok: $1 = '$2'"; else e2e_fail "$1: got '$2', expected '$3'"; fi
}

e2e_cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  if [ -n "$e2e_xvfb_pid" ]; then kill "$e2e_xvfb_pid" 2>/dev/null || true; fi
}

# e2e_init NAME: checks the tools, starts Xvfb 1280x1024 on a free display, prepares a private prefix.
e2e_init() {
  e2e_name=$1
  e2e_out="$e2e_root/build/e2e/$e2e_arch"
  e2e_work="$e2e_out/$e2e_name"
  rm -rf "$e2e_work"
  mkdir -p "$e2e_work"
  local tool
  for tool in "$e2e_native/bin/fenok-pack" "$e2e_win/bin/fenok.exe" "$e2e_probe_exe"; do
    if [ ! -f "$tool" ]; then
      echo "e2e[$e2e_name]: missing $tool (build the native and $e2e_arch presets first)" >&2
      exit 1
    fi
  done
  # The server picks a free display itself and tells us which, so parallel sessions never share one.
  local display_file="$e2e_work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  e2e_xvfb_pid=$!
  trap e2e_cleanup EXIT
  local _
  for _ in $(seq 1 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  if [ ! -s "$display_file" ]; then
    echo "e2e[$e2e_name]: the virtual display did not start" >&2
    exit 1
  fi
  export DISPLAY=":$(head -1 "$display_file")"

  fenok_wine_env "$e2e_root" "wineprefix-e2e-$e2e_name-$e2e_arch"
}

# e2e_pack SAMPLE_DIR NAME: packs the sample's description into $e2e_work/NAME.exe.
e2e_pack() {
  local toml
  toml=$(ls "$e2e_root/$1"/*.toml | head -1)
  "$e2e_native/bin/fenok-pack" build "$toml" -o "$e2e_work/$2.exe" --stub "$e2e_win/bin/fenok.exe" ||
    { e2e_fail "packing $toml"; return 1; }
}

# The probe prints Windows-1252 texts; the checks are written in UTF-8.
e2e_probe() { (cd "$e2e_work" && "$FENOK_WINE" "$e2e_probe_exe" "$@" 2>/dev/null) | tr -d '\r' | iconv -f WINDOWS-1252 -t UTF-8; }
e2e_alive() { (cd "$e2e_work" && "$FENOK_WINE" "$e2e_probe_exe" alive >/dev/null 2>&1); }

# e2e_start NAME [min]: starts NAME.exe in $e2e_work (the answers file lives there) and waits for its window.
e2e_start() {
  local exe="$1.exe"
  # Wine's own report of a crash, if any, lands in NAME.log.
  if [ "${2:-}" == "min" ]; then
    (cd "$e2e_work" && "$FENOK_WINE" start /min /wait "$exe" >>"$e2e_work/$1.log" 2>&1 &)
  else
    (cd "$e2e_work" && "$FENOK_WINE" "$exe" >>"$e2e_work/$1.log" 2>&1 &)
  fi
  local _
  for _ in $(seq 1 "$e2e_window_wait"); do
    if e2e_alive; then sleep 2; return 0; fi
    sleep 1
  done
  e2e_fail "the player window of $exe never appeared"
  return 1
}

# Every line of an answers file (CRLF, Windows-1252) in UTF-8, CR removed.
e2e_file_lines() { tr -d '\r' <"$1" | iconv -f WINDOWS-1252 -t UTF-8; }

# e2e_list FILE: the probe's listing of every window of the player.
e2e_list() { e2e_probe list >"$1"; }

# e2e_row FILE ROLE ID: the first listing line of that role and identifier (main, client, or a main-window control).
e2e_row() { awk -F'\t' -v role="$2" -v id="$3" '$1 == role && $2 <= 1 && $3 == id { print; exit }' "$1"; }
# e2e_in_panel FILE MARKER ID: the control ID inside the panel that holds control MARKER.
e2e_in_panel() {
  awk -F'\t' -v marker="$2" -v id="$3" '
    NR == FNR { if ($1 == "panel") n++; if ($1 == "control" && $2 == 2 && $3 == marker) want = n; next }
    $1 == "panel" { m++; next }
    $1 == "control" && $2 == 2 && m == want && $3 == id { print; exit }' "$1" "$1"
}
# e2e_panel FILE MARKER: the listing line of the panel that holds control MARKER.
e2e_panel() {
  awk -F'\t' -v marker="$2" '
    NR == FNR { if ($1 == "panel") n++; if ($1 == "control" && $2 == 2 && $3 == marker) want = n; next }
    $1 == "panel" { m++; if (m == want) { print; exit } }' "$1" "$1"
}
e2e_quiz() { e2e_in_panel "$1" 4001 "$2"; }    # a quiz panel control
e2e_header() { e2e_in_panel "$1" 27 "$2"; }    # a header panel control
e2e_quiz_text() { e2e_quiz "$1" "$2" | cut -f10-; }
e2e_header_text() { e2e_header "$1" "$2" | cut -f10-; }
# Fields of a listing line: 5 x, 6 y, 7 width, 8 height, 9 visible, 10 text.
e2e_geometry() { cut -f5-8 | tr '\t' ' '; }

# e2e_click X Y: a left click at screen coordinates.
e2e_click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 0.3; }
# e2e_click_box FILE ID: clicks the middle of a quiz panel control.
e2e_click_box() {
  local row x y w h
  row=$(e2e_quiz "$1" "$2")
  [ -n "$row" ] || { e2e_fail "no control $2 to click"; return 1; }
  x=$(echo "$row" | cut -f5); y=$(echo "$row" | cut -f6); w=$(echo "$row" | cut -f7); h=$(echo "$row" | cut -f8)
  e2e_click $((x + w / 2)) $((y + h / 2))
}
e2e_keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
e2e_type() { xdotool type --delay 40 "$1"; sleep 0.3; }

e2e_shot() { import -window root "$e2e_out/$e2e_name-$1.png" && e2e_log "screenshot build/e2e/$e2e_arch/$e2e_name-$1.png"; }

# e2e_close: closes the main window as its close button does and waits for the process to end.
e2e_close() {
  e2e_probe close >/dev/null || { e2e_fail "no window to close"; return 1; }
  local _
  for _ in $(seq 1 30); do
    e2e_alive || return 0
    sleep 0.5
  done
  e2e_fail "the player did not end after close"
  return 1
}

e2e_finish() {
  if [ "$e2e_failures" -ne 0 ]; then
    echo "e2e[$e2e_name]: $e2e_failures check(s) failed" >&2
    exit 1
  fi
  e2e_log "all checks passed"
  exit 0
}
