#!/usr/bin/env bash
# fenok-png end to end, no display needed: pictures drawn by ImageMagick in each pixel class come out
# as bitmaps with the same pixels; --format picks a layout; decoder refusals exit 1 with the error's
# name and code, usage and file errors exit 2, and no failure leaves an output file.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
native=$(realpath -m "${FENOK_NATIVE_BUILD:-$root/build/native}")
tool="$native/bin/fenok-png"
convert=/usr/bin/convert
work="$root/build/e2e/fenok-png"
rm -rf "$work" && mkdir -p "$work"

. "$root/tests/e2e/lib/checks.sh"
checks_init fenok-png
# Little-endian field of a file: field FILE OFFSET BYTES
field() { od -An -t u"$3" -j "$2" -N "$3" "$1" | tr -d ' '; }
signed32() { od -An -t d4 -j "$2" -N 4 "$1" | tr -d ' '; }

[ -x "$tool" ] || { fail "missing $tool (build the native preset first)"; exit 1; }

# The same picture in each class ImageMagick reads back exactly.
"$convert" -seed 3 -size 37x23 plasma:fractal -depth 8 "$work/source.miff"
# class: ImageMagick options, then the output prefix that picks the PNG's pixel class.
declare -A options=([rgb8]="" [rgba8]="" [palette8]="-colors 200" [grey8]="-colorspace Gray -define png:color-type=0"
  [adam7]="-interlace PNG")
declare -A prefixes=([rgb8]=PNG24 [rgba8]=PNG32 [palette8]=PNG8 [grey8]=PNG [adam7]=PNG24)
for class in rgb8 rgba8 palette8 grey8 adam7; do
  # shellcheck disable=SC2086
  "$convert" "$work/source.miff" ${options[$class]} "${prefixes[$class]}:$work/$class.png"
  "$tool" "$work/$class.png" "$work/$class.bmp"
  expect_eq "$class decodes" "$?" 0
  expect_eq "$class pixels" "$("$convert" "$work/$class.bmp" -alpha off rgb:- | md5sum)" \
    "$("$convert" "$work/$class.png" -alpha off rgb:- | md5sum)"
  expect_eq "$class file size field" "$(field "$work/$class.bmp" 2 4)" "$(stat -c %s "$work/$class.bmp")"
  expect_eq "$class top-down" "$(signed32 "$work/$class.bmp" 22)" -23
done

expect_eq "rgba natural layout is 32-bit" "$(field "$work/rgba8.bmp" 28 2)" 32
expect_eq "grey rows start after a 256-entry table" "$(field "$work/grey8.bmp" 10 4)" $((14 + 40 + 1024))
expect_eq "rgb rows at a 4-byte stride" "$(stat -c %s "$work/rgb8.bmp")" $((14 + 40 + 23 * 112))

"$tool" "$work/rgba8.png" "$work/opaque.bmp" --format 0x0608010D
expect_eq "--format 0x0608010D decodes" "$?" 0
expect_eq "--format 0x0608010D is 24-bit" "$(field "$work/opaque.bmp" 28 2)" 24

message=$("$tool" "$work/rgb8.png" "$work/refused.bmp" --format 0x0608010E 2>&1)
expect_eq "a layout of another image exits 1" "$?" 1
expect_eq "and names the error" "$message" "fenok-png: $work/rgb8.png: errBadFormat (0x2002)"
expect_eq "and writes nothing" "$([ -e "$work/refused.bmp" ] && echo present || echo absent)" absent

head -c 100 "$work/source.miff" >"$work/not.png"
message=$("$tool" "$work/not.png" "$work/not.bmp" 2>&1)
expect_eq "not a PNG exits 1" "$?" 1
expect_eq "and names the error" "$message" "fenok-png: $work/not.png: errNotPng (0x2000)"

"$tool" "$work/missing.png" "$work/missing.bmp" 2>/dev/null
expect_eq "a missing input exits 2" "$?" 2
"$tool" "$work/rgb8.png" 2>/dev/null
expect_eq "a missing argument exits 2" "$?" 2
"$tool" "$work/rgb8.png" "$work/x.bmp" --format natural 2>/dev/null
expect_eq "a malformed format exits 2" "$?" 2
"$tool" "$work/rgb8.png" "$work/no-such-folder/x.bmp" 2>/dev/null
expect_eq "an unwritable output exits 2" "$?" 2

checks_finish
