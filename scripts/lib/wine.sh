# Wine for the scripts: which players this host can run, and private prefixes set up once.
# Usage: . scripts/lib/wine.sh; fenok_wine_detect; fenok_wine_env ROOT [PREFIX_NAME]; "$FENOK_WINE" prog.exe
#
# Some hosts cannot execute 32-bit code (virtual machines, kernels built without IA32 emulation), and
# there Debian's `wine` fails: it picks the 32-bit loader whenever that is installed. Where 32-bit code
# runs, FENOK_WINE is that usual `wine`, which starts programs of both kinds; elsewhere it is Wine's
# 64-bit loader, which runs the 64-bit player only, unless the 32-bit one is emulated (below).

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
  # Under emulation the 64-bit loader starts everything: it hands a 32-bit program to the (emulated)
  # 32-bit loader itself, and 64-bit programs, the probe among them, then run at full speed.
  [ "${FENOK_EMULATED_32:-0}" -eq 1 ] && FENOK_WINE=$FENOK_WINE64_LOADER
  export FENOK_RUNS_32 FENOK_NO_32_REASON FENOK_PLAYER_ARCH FENOK_WINE
}

# ---- 32-bit programs on a host whose kernel cannot execute them ----
# Debian's qemu-user-static runs the 32-bit Wine loader instruction by instruction. It is registered
# as the handler of 32-bit programs inside a private user and mount namespace only, with its own
# binfmt_misc, so nothing changes for the rest of the machine. Slow (20 to 30 s for each 32-bit process
# to start), so only the sessions that prove the shipped 32-bit player run this way.
FENOK_QEMU_I386=/usr/bin/qemu-i386-static
# Wine needs qemu to keep this much address space for the guest, or it fails with "failed to map the
# shared user data" (lower values fail too).
FENOK_QEMU_RESERVED_VA=0x90000000
# An i386 ELF executable or shared object; flag F: qemu is opened now, so it runs whatever the
# namespace sees.
FENOK_BINFMT_I386=':fenok-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$FENOK_QEMU_I386"':F'

# fenok_emulated CMD...: runs CMD in the namespace where 32-bit programs run under qemu; Wine is
# detected again there (it then finds the 32-bit loader working) and FENOK_EMULATED_32 is 1.
fenok_emulated() {
  unshare --user --map-root-user --mount --kill-child \
    env -u FENOK_RUNS_32 -u FENOK_NO_32_REASON -u FENOK_PLAYER_ARCH -u FENOK_WINE -u WINELOADER \
    FENOK_EMULATED_32=1 QEMU_RESERVED_VA="$FENOK_QEMU_RESERVED_VA" FENOK_BINFMT_I386="$FENOK_BINFMT_I386" \
    bash -c 'mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc &&
             printf "%b" "$FENOK_BINFMT_I386" >/proc/sys/fs/binfmt_misc/register && exec "$@"' fenok-emulated "$@"
}

# fenok_emulation_detect (after fenok_wine_detect): sets FENOK_EMULATES_32 (1 when 32-bit programs
# run here under qemu, the kernel being unable to) and FENOK_NO_EMULATION_REASON.
fenok_emulation_detect() {
  [ -n "${FENOK_EMULATES_32:-}" ] && return 0
  local output
  FENOK_EMULATES_32=0
  FENOK_NO_EMULATION_REASON=
  if [ "$FENOK_RUNS_32" -eq 1 ]; then
    FENOK_NO_EMULATION_REASON="not needed: 32-bit programs run natively"
  elif [ ! -x "$FENOK_WINE32_LOADER" ]; then
    FENOK_NO_EMULATION_REASON="32-bit Wine is not installed"
  elif [ ! -x "$FENOK_QEMU_I386" ]; then
    FENOK_NO_EMULATION_REASON="qemu-user-static is not installed ($FENOK_QEMU_I386 missing)"
  elif ! output=$(fenok_emulated "$FENOK_WINE32_LOADER" --version 2>&1); then
    FENOK_NO_EMULATION_REASON="no private binfmt_misc here (user namespaces or their binfmt_misc refused: ${output##*: })"
  else
    FENOK_EMULATES_32=1
  fi
  export FENOK_EMULATES_32 FENOK_NO_EMULATION_REASON
}

# ---- Prefixes ----

# fenok_wine_env ROOT [NAME] (after fenok_wine_detect): exports the Wine settings for the prefix
# build/NAME (default wineprefix), quiet, without the Mono and Gecko prompts, with Wine's own Tahoma as
# the dialog font. A new prefix is a copy of a template made once per build folder: making one takes
# Wine most of a minute (more under emulation), copying it a moment, and every session has its own.
fenok_wine_env() {
  local root=$1 name=${2:-wineprefix}
  fenok_wine_detect
  export WINEARCH=win64
  export WINEDEBUG=-all
  [ "$FENOK_RUNS_32" -eq 1 ] || export WINELOADER=$FENOK_WINE64_LOADER
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  local prefix="$root/build/$name"
  if ! fenok_wine_prefix_current "$prefix"; then
    # An emulated 32-bit program needs the 32-bit half of the prefix, which only an emulated
    # wineboot writes.
    local template="$root/build/wineprefix-template${FENOK_EMULATED_32:+-emulated}"
    fenok_wine_template "$template"
    fenok_wine_copy "$template" "$prefix"
  fi
  export WINEPREFIX=$prefix
  fenok_wine_fonts
}

# A prefix belongs to the Wine that made it: one made before 32-bit Wine was installed lacks its
# 32-bit half, and every program then fails with "could not load kernel32.dll". Each prefix keeps the
# key of its Wine (its version, the halves installed, emulation or not) and is made again when the key
# has changed.
FENOK_WINE_KEY_FILE=fenok-wine-key

# fenok_wine_key: the key of the Wine in use now.
fenok_wine_key() {
  local version halves
  version=$("$FENOK_WINE64_LOADER" --version 2>/dev/null || echo none)
  halves=$(ls -d "$FENOK_WINE32_LOADER" /usr/lib/*/wine/*-windows 2>/dev/null | tr '\n' ' ')
  echo "$version; $halves; emulated ${FENOK_EMULATED_32:-0}"
}

# fenok_wine_prefix_current DIR: true when DIR is a whole prefix made by the Wine in use now.
fenok_wine_prefix_current() {
  [ -f "$1/system.reg" ] && [ "$(cat "$1/$FENOK_WINE_KEY_FILE" 2>/dev/null)" == "$(fenok_wine_key)" ]
}

# fenok_wine_template DIR: makes the template prefix once; parallel sessions wait for one another.
fenok_wine_template() {
  local template=$1
  mkdir -p "$(dirname "$template")"
  (
    flock 9
    if ! fenok_wine_prefix_current "$template"; then
      echo "scripts: creating the Wine prefix template build/${template##*/} (once for this Wine)"
      rm -rf "$template"
      mkdir -p "$template"
      WINEPREFIX=$template "$FENOK_WINE" wineboot -i >/dev/null 2>&1 || true
      WINEPREFIX=$template wineserver -w || true
      fenok_wine_key >"$template/$FENOK_WINE_KEY_FILE"
    fi
  ) 9>"$template.lock"
}

# fenok_wine_copy TEMPLATE PREFIX: Wine's DLLs (600 MB) are linked, never written in place; the
# registry files, which wineserver rewrites, are real copies.
fenok_wine_copy() {
  local template=$1 prefix=$2 reg
  rm -rf "$prefix.part"
  cp -al "$template" "$prefix.part"
  for reg in "$template"/*.reg; do cp --remove-destination "$reg" "$prefix.part/"; done
  rm -rf "$prefix"
  mv "$prefix.part" "$prefix"
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
