#!/usr/bin/env bash
# The web player end to end: builds the web preset and fenok-pack (native) where they are out of date,
# writes the samples as quiz pages, then runs in headless Chromium the session (session.py) and the
# one-judge check (one_judge.py); the page studio's module runs in Node (studio_module.js). Exit
# status 0 when every check passed.
# FENOK_NATIVE_BUILD: use this build tree's fenok-pack as it is. FENOK_UPDATE_DOCS=1: the desktop and
# phone screenshots go to docs/ (the README's) instead of build/web-tests/.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
. scripts/lib/deps.sh
fenok_ensure_packages "${FENOK_BUILD_PACKAGES[@]}" "${FENOK_WEB_PACKAGES[@]}"
jobs=$(nproc)
work=$root/build/web-tests
rm -rf "$work" && mkdir -p "$work/pages"
say() { echo "web: $*"; }

say "building the web player (preset web)"
{ cmake --preset web >/dev/null && cmake --build --preset web -j "$jobs" >"$work/web-build.log"; } ||
  { tail -20 "$work/web-build.log"; say "FAIL: the web preset does not build"; exit 1; }
native=${FENOK_NATIVE_BUILD:-}
if [ -z "$native" ]; then
  say "building fenok-pack (preset native)"
  { cmake --preset native >/dev/null && cmake --build --preset native -j "$jobs" --target fenok-pack >"$work/native-build.log"; } ||
    { tail -20 "$work/native-build.log"; say "FAIL: fenok-pack does not build"; exit 1; }
  native=build/native
fi
pack=$(realpath "$native")/bin/fenok-pack

# The clips of the audio sample are made, not committed.
[ -d build/samples/audio ] || samples/make-clips.sh >/dev/null || { say "FAIL: samples/make-clips.sh"; exit 1; }
mkdir -p "$work/markup"
cat >"$work/markup/quiz.toml" <<'TOML'
title = "<img src=x onerror=window.hacked=1>"
media = "text"

[[question]]
answer = "OUI"
text = "<b>Pas en gras</b>"
TOML
for sample in demo deux texte audio; do
  "$pack" build "samples/$sample/quiz.toml" -o "$work/pages/$sample.html" --web-player build/web/bin/fenok-web.html >/dev/null ||
    { say "FAIL: fenok-pack build samples/$sample"; exit 1; }
done
"$pack" build "$work/markup/quiz.toml" -o "$work/pages/markup.html" --web-player build/web/bin/fenok-web.html >/dev/null ||
  { say "FAIL: fenok-pack build of the markup quiz"; exit 1; }

shots=$work
[ "${FENOK_UPDATE_DOCS:-}" = 1 ] && shots=$root/docs
status=0
# The page studio's module, in Node: the studio's C++ in WebAssembly drafts a folder and writes the
# three outputs as fenok-pack does, byte for byte (with the players the Windows builds made, if any).
mkdir -p "$work/studio-module"
NODE_PATH=/usr/share/nodejs node tests/web/studio_module.js "$root/build/web/bin/fenok-studio.js" "$pack" \
  "$root/build/win32/bin" "$root/build/win64/bin" "$root/build/web/bin/fenok-web.html" \
  "$root/tests/unit/pack/fixtures" "$work/studio-module" || status=1
/usr/bin/python3 tests/web/session.py "$work/pages" "$pack" "$shots" || status=1
/usr/bin/python3 tests/web/one_judge.py "$work/pages/demo.html" "$pack" || status=1
[ "$status" -eq 0 ] && say "all passed" || say "FAILED"
exit "$status"
