#!/bin/sh
# samples/pack.sh SAMPLE OUT.exe [fenok-pack build options...]
# Packs samples/SAMPLE/quiz.toml into OUT.exe with fenok-pack (build/native/bin/fenok-pack, or the one
# named by FENOK_PACK). The sample pictures are committed; when a sample's pictures folder is missing
# they are drawn again first by make-pictures.sh (ImageMagick). Clips are made by make-clips.sh.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
sample=${1:?usage: samples/pack.sh SAMPLE OUT.exe [options]}
out=${2:?usage: samples/pack.sh SAMPLE OUT.exe [options]}
shift 2
pack=${FENOK_PACK:-$here/../build/native/bin/fenok-pack}
if [ ! -d "$here/$sample" ]; then
  echo "samples/pack.sh: no sample named $sample" >&2
  exit 2
fi
if grep -q '^picture = ' "$here/$sample/quiz.toml" && [ ! -d "$here/$sample/pictures" ]; then
  "$here/make-pictures.sh"
fi
# Clips are not committed: make them when the description points at one that is missing.
if grep -q '^clip = ' "$here/$sample/quiz.toml"; then
  first_clip=$(sed -n 's/^clip = "\(.*\)"$/\1/p' "$here/$sample/quiz.toml" | head -1)
  [ -f "$here/$sample/$first_clip" ] || "$here/make-clips.sh"
fi
exec "$pack" build "$here/$sample/quiz.toml" -o "$out" "$@"
