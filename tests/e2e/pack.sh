#!/usr/bin/env bash
# fenok-pack end to end, no display needed: every sample packed into the real player (found from the
# build tree, no --stub) and inspected; a text quiz printed by inspect builds again into the same quiz;
# the Windows fenok-pack.exe under Wine writes the same bytes as the native one; a broken description
# exits 2 and writes nothing; both tools speak French where the locale asks for it; a folder of every
# picture format drafts, builds and inspects, and under Wine says which formats it cannot read.
set -uo pipefail
# The messages compared below are the English ones, whatever this machine's language.
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/lib/wine.sh"
fenok_wine_detect
native=$(realpath -m "${FENOK_NATIVE_BUILD:-$root/build/native}")
win32=$(realpath -m "${FENOK_WIN_BUILD:-${FENOK_WIN32_BUILD:-$root/build/$FENOK_PLAYER_ARCH}}")
arch=$(basename "$win32")
pack="$native/bin/fenok-pack"
work="$root/build/e2e/$arch/pack"
rm -rf "$work" && mkdir -p "$work"

. "$root/tests/e2e/lib/checks.sh"
checks_init "pack/$arch"

for tool in "$pack" "$win32/bin/fenok.exe" "$win32/bin/fenok-pack.exe"; do
  [ -e "$tool" ] || { fail "missing $tool (build both presets first)"; exit 1; }
done
# From build/native/bin the player of build/win32 is found on its own; other builds name it.
if [ "$(realpath -m "$native/../win32")" != "$win32" ]; then export FENOK_STUB="$win32/bin/fenok.exe"; fi

for sample in demo texte deux; do
  "$pack" build "$root/samples/$sample/quiz.toml" -o "$work/$sample.exe" 2>"$work/$sample.build.err"
  expect_eq "$sample builds" "$?" 0
  expect_eq "$sample builds without warnings" "$(cat "$work/$sample.build.err")" ""
  "$pack" inspect "$work/$sample.exe" >"$work/$sample.toml" 2>"$work/$sample.inspect.err"
  expect_eq "$sample inspects without messages" "$?" 0
  expect_eq "$sample title" "$(sed -n 's/^title = //p' "$work/$sample.toml")" \
    "$(sed -n 's/^title = //p' "$root/samples/$sample/quiz.toml")"
done
expect_eq "demo question count" "$(sed -n 's/^question_count = //p' "$work/demo.toml")" 10

# The inspect form is the build form: a text quiz goes round and comes back the same.
"$pack" build "$work/texte.toml" -o "$work/texte-again.exe" 2>"$work/texte-again.err"
expect_eq "inspected text quiz builds again" "$?" 0
"$pack" inspect "$work/texte-again.exe" >"$work/texte-again.toml"
expect_eq "and inspects the same" "$(cmp -s "$work/texte.toml" "$work/texte-again.toml"; echo $?)" 0

# A broken description: exit 2, its problem on stderr, nothing written.
printf 'title = "T"\nmedia = "text"\n[[question]]\nanswer = "A|B"\ntext = "Q"\n' >"$work/broken.toml"
"$pack" build "$work/broken.toml" -o "$work/broken.exe" 2>"$work/broken.err"
expect_eq "broken description exits 2" "$?" 2
expect_eq "broken description message" "$(cat "$work/broken.err")" \
  "$work/broken.toml:4: the answer of question 1 contains '|', which the stored quiz uses to end its texts"
expect_eq "nothing written" "$(ls "$work" | grep -c '^broken\.exe')" 0

# A question without an answer, said in French when LC_MESSAGES (LC_ALL unset) asks for it.
printf 'title = "T"\nmedia = "text"\n[[question]]\nanswer = ""\ntext = "Q"\n' >"$work/unanswered.toml"
unanswered_fr="unanswered.toml:4: la question 1 n'a pas encore de réponse"
(cd "$work" && env -u LC_ALL LC_MESSAGES=fr_FR.UTF-8 "$pack" check unanswered.toml) 2>"$work/unanswered.err"
expect_eq "unanswered question exits 2" "$?" 2
expect_eq "unanswered question in French" "$(cat "$work/unanswered.err")" "$unanswered_fr"

# --arch picks the player of the matching Windows build beside the native tree: PE32 for x86 (the
# default), PE32+ for x64; both hold the quiz.
machine() {  # machine FILE: the PE header's machine field, in hex
  local pe
  pe=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
  od -An -t x2 -j $((pe + 4)) -N 2 "$1" | tr -d ' '
}
for pair in x86:014c x64:8664; do
  a=${pair%%:*}
  env -u FENOK_STUB "$pack" build "$root/samples/texte/quiz.toml" -o "$work/texte-$a.exe" --arch "$a" >/dev/null 2>&1
  expect_eq "built into the $a player" "$?" 0
  expect_eq "the $a player's machine" "$(machine "$work/texte-$a.exe" 2>/dev/null)" "${pair#*:}"
  expect_eq "the $a program holds the quiz" "$("$pack" inspect "$work/texte-$a.exe" 2>/dev/null)" "$(cat "$work/texte.toml")"
done

# A folder of every picture format phones and browsers give, made by ImageMagick, and a note: new
# drafts a question per picture and names the note with its reason; built and inspected, the quiz
# comes back with its answers, the WebP, HEIC and AVIF pictures stored fitted as JPEG or PNG.
mixed="$work/mixed"
mkdir -p "$mixed"
convert -size 300x200 gradient:red-white "$mixed/louvre.jpg"
convert -size 300x200 gradient:blue-white "$mixed/ete.png"
convert -size 300x200 xc:green "$mixed/sol.gif"
convert -size 300x200 gradient:orange-white "$mixed/tour-eiffel.webp"
convert -size 300x200 gradient:purple-white "$mixed/chat.heic"
convert -size 300x200 gradient:teal-white "$mixed/arc.avif"
echo "a note" >"$mixed/notes.txt"
cp -r "$mixed" "$work/mixed-wine"
"$pack" new "$mixed" >"$work/mixed.out" 2>"$work/mixed.err"
expect_eq "new drafts the mixed folder" "$?" 0
expect_eq "a question a picture" "$(grep -c '^\[\[question\]\]' "$mixed/quiz.toml")" 6
expect_eq "the note named, with its reason" "$(cat "$work/mixed.err")" \
  'fenok-pack new: left out: "notes.txt" is neither a picture nor a sound or video clip'
"$pack" build "$mixed/quiz.toml" -o "$work/mixed.exe" >/dev/null 2>"$work/mixed-build.err"
expect_eq "the mixed quiz builds" "$?" 0
"$pack" inspect "$work/mixed.exe" >"$work/mixed.toml" 2>/dev/null
expect_eq "inspected, its answers come back" "$(grep '^answer = ' "$work/mixed.toml" | tr '\n' ' ')" \
  "$(grep '^answer = ' "$mixed/quiz.toml" | tr '\n' ' ')"

# The Windows build of the tool writes the same program.
fenok_wine_env "$root"
(cd "$root" && "$FENOK_WINE" "$win32/bin/fenok-pack.exe" build samples/demo/quiz.toml -o "$work/demo-wine.exe" \
  --stub "$win32/bin/fenok.exe") 2>"$work/wine.err"
expect_eq "fenok-pack.exe under Wine" "$?" 0
expect_eq "same bytes as the native tool" "$(cmp -s "$work/demo.exe" "$work/demo-wine.exe"; echo $?)" 0
# Its language is the user's, which Wine takes from the locale.
(cd "$work" && LC_ALL=fr_FR.UTF-8 "$FENOK_WINE" "$win32/bin/fenok-pack.exe" check unanswered.toml) 2>"$work/wine-fr.err"
expect_eq "fenok-pack.exe in French" "$(tr -d '\r' <"$work/wine-fr.err")" "$unanswered_fr"

# Under Wine, which has no codec for WebP, HEIC or AVIF, fenok-pack.exe names each one it leaves out
# and what to install; every file of the folder is a question or told.
(cd "$work" && LC_ALL=fr_FR.UTF-8 "$FENOK_WINE" "$win32/bin/fenok-pack.exe" new mixed-wine) >"$work/wine-mixed.out" \
  2>"$work/wine-mixed.err"
expect_eq "fenok-pack.exe drafts the mixed folder" "$?" 0
told=$(tr -d '\r' <"$work/wine-mixed.err")
questions=$(grep -c '^\[\[question\]\]' "$work/mixed-wine/quiz.toml")
expect_eq "every file a question or told" "$((questions + $(echo "$told" | grep -c 'laissé de côté')))" 7
if echo "$told" | grep -q "« chat.heic » ne peut pas être lue : Windows n'a pas de décodeur.*Extensions d'image HEIF"; then
  log "ok: the HEIC picture names what Windows needs"
elif grep -q '"chat.heic"' "$work/mixed-wine/quiz.toml"; then log "ok: this Windows reads HEIC"
else fail "chat.heic neither read nor explained: $told"; fi

checks_finish
