# fenok_studio_page: assembles build/web/bin/fenok-studio.html, the studio as one page, from the web
# preset's studio module and web player and the programs of both Windows builds, which must be built.
# Sourced from the repository's root.
fenok_studio_page() {
  local bin=build/web/bin part
  for part in "$bin/fenok-studio.js" "$bin/fenok-studio.wasm" "$bin/fenok-web.html" build/win32/bin/fenok.exe \
              build/win64/bin/fenok.exe; do
    [ -f "$part" ] || { echo "fenok-studio.html: $part is not built" >&2; return 1; }
  done
  python3 src/web/studio/make_studio.py --template src/web/studio/studio.html --style src/web/studio/studio.css \
    --script src/web/studio/studio.js --glue "$bin/fenok-studio.js" --wasm "$bin/fenok-studio.wasm" \
    --rc src/app/studio/studio_window.rc --ids src/studio/studio_ids.h --player32 build/win32/bin/fenok.exe \
    --player64 build/win64/bin/fenok.exe --web-player "$bin/fenok-web.html" --output "$bin/fenok-studio.html"
}
