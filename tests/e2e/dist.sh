#!/usr/bin/env bash
# The Windows archive end to end, no display needed: scripts/dist makes the zip; unzipped, its
# fenok-pack.exe runs under Wine as an author would run it there: new on a folder of pictures, check,
# build into the 32-bit player beside it and, with --arch x64, into the 64-bit one, and as a web page
# from the web player beside it. The programs and the page it writes hold the quiz (read back by the
# native inspect). The programs are shipped without their debug information.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib/wine.sh"
fenok_wine_detect
native=$(realpath -m "${FENOK_NATIVE_BUILD:-$root/build/native}")
work="$root/build/e2e/dist"
rm -rf "$work" && mkdir -p "$work"

. "$root/tests/e2e/lib/checks.sh"
checks_init dist

"$root/scripts/dist" >"$work/dist.log" 2>&1 || { fail "scripts/dist: $(tail -3 "$work/dist.log")"; exit 1; }
zip=$(ls "$root"/build/dist/fenok-*-windows.zip | head -1)
(cd "$work" && unzip -q "$zip") || { fail "unzip $zip"; exit 1; }
folder=$(ls -d "$work"/fenok-*/ | head -1)
for file in fenok-pack.exe fenok.exe fenok64.exe fenok-studio.exe fenok-studio64.exe fenok-web.html fenok-studio.html guide-auteur.html LISEZMOI.txt exemples/demo/quiz.toml; do
  expect_eq "the archive holds $file" "$([ -f "$folder/$file" ] && echo yes)" yes
done
# The programs authors ship carry no debug information (every quiz would carry it); it stays in the
# build tree, beside each program.
for file in fenok-pack.exe fenok.exe fenok64.exe fenok-studio.exe fenok-studio64.exe; do
  expect_eq "$file has no debug sections" "$(objdump -h "$folder/$file" 2>/dev/null | grep -c ' \.debug_')" 0
done
for build in win32 win64; do
  for program in fenok fenok-studio fenok-pack; do
    expect_eq "build/$build keeps $program.exe.debug" "$([ -s "$root/build/$build/bin/$program.exe.debug" ] && echo yes)" yes
  done
done

# The guide is a French page in UTF-8, made from docs/guide-auteur.md, whose pictures lie beside it.
guide="$folder/guide-auteur.html"
# (pandoc sets apostrophes as typographers do)
expect_eq "the guide's first heading" "$(grep -o '<h1[^>]*>[^<]*</h1>' "$guide" | head -1 | sed "s/<[^>]*>//g; s/’/'/g")" \
  "$(sed -n 's/^# //p' "$root/docs/guide-auteur.md" | head -1)"
expect_eq "the guide says its encoding" "$(grep -c '<meta charset="utf-8"' "$guide")" 1
pictures_shown=$(sed -n 's/.*<img src="\([^"]*\)".*/\1/p' "$guide")
expect_eq "the guide shows its screenshot" "$(echo "$pictures_shown" | grep -c '^studio.png$')" 1
for picture in $pictures_shown; do
  expect_eq "the guide's picture $picture is beside it" "$([ -f "$folder/$picture" ] && echo yes)" yes
done

# The archive's tool is 32-bit, as every Windows runs it; a host that cannot execute 32-bit programs
# runs the 64-bit build of the same tool in its place, and says so.
tool=fenok-pack.exe
if [ "$FENOK_RUNS_32" -eq 0 ]; then
  log "the archive's 32-bit fenok-pack.exe cannot run here ($FENOK_NO_32_REASON): using the win64 build's in its place"
  cp "$root/build/win64/bin/fenok-pack.exe" "$folder/fenok-pack-x64.exe"
  tool=fenok-pack-x64.exe
fi
fenok_wine_env "$root"
mkdir -p "$folder/drapeaux"
cp "$root"/samples/demo/pictures/*.* "$folder/drapeaux/"
pictures=$(ls "$folder/drapeaux" | wc -l)
run() { (cd "$folder" && "$FENOK_WINE" "$tool" "$@" 2>"$work/stderr.txt" | tr -d '\r'); }
run new drapeaux >/dev/null
expect_eq "new drafts a description" "$([ -f "$folder/drapeaux/quiz.toml" ] && echo yes)" yes
run check drapeaux/quiz.toml >"$work/check.txt"
expect_eq "check passes" "$?" 0
run build drapeaux/quiz.toml -o drapeaux.exe >"$work/build.txt"
expect_eq "build into fenok.exe beside the tool" "$?" 0
run build drapeaux/quiz.toml -o drapeaux64.exe --arch x64 >"$work/build64.txt"
expect_eq "build into fenok64.exe with --arch x64" "$?" 0
run build drapeaux/quiz.toml -o drapeaux.html >"$work/build-page.txt"
expect_eq "build a web page from fenok-web.html beside the tool" "$?" 0
for program in drapeaux.exe drapeaux64.exe drapeaux.html; do
  expect_eq "$program holds the quiz" \
    "$("$native/bin/fenok-pack" inspect "$folder/$program" 2>/dev/null | grep -c '^\[\[question\]\]')" "$pictures"
done

checks_finish
