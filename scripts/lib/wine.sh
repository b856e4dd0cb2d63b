# Wine for the scripts: which players this host can run, and a private prefix set up once.
# Usage: . scripts/lib/wine.sh; fenok_wine_detect; fenok_wine_env ROOT [PREFIX_NAME]; "$FENOK_WINE" prog.exe
#
# Some hosts cannot execute 32-bit code (virtual machines, kernels built without IA32 emulation), and
# there Debian's `wine` fails: it picks the 32-bit loader whenever that is installed. Where 32-bit code
# runs, FENOK_WINE is that usual `wine`, which starts programs of both kinds; elsewhere it is Wine's
# 64-bit loader, which runs the 64-bit player only.

FENOK_WINE64_LOADER=/usr/lib/wine/wine64
FENOK_WINE32_LOADER=/usr/lib/wine/wine

# fenok_wine_detect: sets FENOK_RUNS_32 (1 or 0), FENOK_NO_32_REASON (why not) and FENOK_PLAYER_ARCH
# (win32 where 32-bit programs run, else win64). Asked once per shell.
fenok_wine_detect() {
  [ -n "${FENOK_RUNS_32:-}" ] && return 0
  local output
  FENOK_RUNS_32=0
  FENOK_NO_32_REASON=
  if [ ! -x "$FENOK_WINE32_LOADER" ]; then
    FENOK_NO_32_REASON="32-bit Wine is not installed ($FENOK_WINE32_LOADER missing)"
  elif ! output=$("$FENOK_WINE32_LOADER" --version 2>&1); then
    FENOK_NO_32_REASON="this host cannot execute 32-bit programs ($FENOK_WINE32_LOADER --version: ${output##*: })"
  else
    FENOK_RUNS_32=1
  fi
  if [ "$FENOK_RUNS_32" -eq 1 ]; then
    FENOK_PLAYER_ARCH=win32
    FENOK_WINE=/usr/bin/wine
  else
    FENOK_PLAYER_ARCH=win64
    FENOK_WINE=$FENOK_WINE64_LOADER
  fi
  export FENOK_RUNS_32 FENOK_NO_32_REASON FENOK_PLAYER_ARCH FENOK_WINE
}

# fenok_wine_env ROOT [NAME] (after fenok_wine_detect): exports the Wine settings for the prefix build/NAME (default wineprefix),
# creating it once: quiet, without the Mono and Gecko prompts, with Wine's own Tahoma as the dialog font.
fenok_wine_env() {
  local root=$1 name=${2:-wineprefix}
  fenok_wine_detect
  export WINEPREFIX="$root/build/$name"
  export WINEARCH=win64
  export WINEDEBUG=-all
  [ "$FENOK_RUNS_32" -eq 1 ] || export WINELOADER=$FENOK_WINE64_LOADER
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "scripts: creating the Wine prefix build/$name (once)"
    mkdir -p "$WINEPREFIX"
    "$FENOK_WINE" wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  fenok_wine_fonts
}

# Windows draws dialogs in Tahoma ("MS Shell Dlg"); without it Wine falls back to a wider font and the
# player's narrow labels (the header's " Code :") clip. Wine ships a metric-compatible Tahoma in
# fonts-wine, but only looks for it in the prefix's Fonts folder.
fenok_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  mkdir -p "$fonts"
  for font in /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf; do
    [ -f "$font" ] && [ ! -f "$fonts/${font##*/}" ] && cp "$font" "$fonts/"
  done
  return 0
}

# fenok_wait_window TITLE SECONDS [PID]: waits for a visible window whose title is TITLE (xdotool, on
# DISPLAY); gives up early when the process PID has ended.
fenok_wait_window() {
  local title=$1 seconds=$2 pid=${3:-} _
  for _ in $(seq 1 "$seconds"); do
    xdotool search --onlyvisible --name "^$(fenok_regex_quote "$title")\$" >/dev/null 2>&1 && return 0
    if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then return 1; fi
    sleep 1
  done
  return 1
}

fenok_regex_quote() { printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g'; }
