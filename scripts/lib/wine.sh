# Wine set up once per build tree: a private prefix, quiet, without the Mono and Gecko prompts.
fenok_wine_env() {
  local root=$1
  export WINEPREFIX="$root/build/wineprefix"
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "scripts: creating the Wine prefix (once)"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
}
