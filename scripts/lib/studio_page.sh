# fenok_studio_page [WIN32_BUILD WIN64_BUILD WEB_BUILD]: assembles WEB_BUILD/bin/fenok-studio.html, the
# studio as one page, from the web build's studio module and web player and the programs of both
# Windows builds, which must be built (default: the presets' trees). Sourced from the repository's root.
fenok_studio_page() {
  local win32=${1:-build/win32} win64=${2:-build/win64} web=${3:-build/web} part
  local bin=$web/bin
  for part in "$bin/fenok-studio.js" "$bin/fenok-studio.wasm" "$bin/fenok-web.html" "$win32/bin/fenok.exe" \
              "$win64/bin/fenok.exe"; do
    [ -f "$part" ] || { echo "fenok-studio.html: $part is not built" >&2; return 1; }
  done
  python3 src/web/studio/make_studio.py --template src/web/studio/studio.html --style src/web/studio/studio.css \
    --entries src/web/module_entries.js --script src/web/studio/studio.js --glue "$bin/fenok-studio.js" --wasm "$bin/fenok-studio.wasm" \
    --rc src/app/studio/studio_window.rc --ids src/studio/studio_ids.h --player32 "$win32/bin/fenok.exe" \
    --player64 "$win64/bin/fenok.exe" --web-player "$bin/fenok-web.html" --output "$bin/fenok-studio.html"
}
