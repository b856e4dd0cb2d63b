#!/bin/sh
# Makes the clips of the audio and video samples: French words spoken by espeak-ng (WAV, one turned
# into an MP3 with an ID3 tag) and short coloured AVI clips (Motion JPEG, no sound track) by ffmpeg.
# They are not committed: the descriptions point at build/samples/, where this writes them.
# Usage: samples/make-clips.sh [OUTPUT_ROOT]   (default: build/samples beside this folder)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../build/samples}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
for tool in espeak-ng ffmpeg; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "make-clips.sh: $tool is missing (apt-get install $tool)" >&2
    exit 2
  fi
done
mkdir -p "$out/audio" "$out/video"
quiet="-hide_banner -loglevel error -y"
# Same bytes on every run.
exact="-fflags +bitexact -flags:v +bitexact -flags:a +bitexact"

# Audio: one word per question.
for word in bonjour maison soleil chocolat montagne papillon; do
  espeak-ng -v fr -s 130 -w "$out/audio/$word.wav" "$word"
done
# An MP3 (it starts with an ID3 tag) for the third question.
ffmpeg $quiet -i "$out/audio/soleil.wav" -c:a libmp3lame -b:a 64k -id3v2_version 3 "$out/audio/soleil.mp3"

# Video: two seconds of a colour with the question's number, 176 x 144, 10 frames a second.
clip() {  # clip NAME COLOUR NUMBER
  ffmpeg $quiet -f lavfi -i "color=c=$2:s=176x144:r=10:d=2" \
    -vf "drawtext=fontfile=$font:text='$3':fontsize=72:fontcolor=white:borderw=3:x=(w-tw)/2:y=(h-th)/2" \
    -c:v mjpeg -q:v 5 -an $exact "$out/video/$1.avi"
}
clip rouge 0xD01010 1
clip vert 0x10A020 2
clip bleu 0x1030D0 3
clip jaune 0xE0D000 4
clip orange 0xF08000 5
clip violet 0x8020A0 6
echo "make-clips.sh: clips written to $out/audio and $out/video"
