#!/usr/bin/env bash
# Draws the pictures of the Windows suite (run once; the outputs are committed):
#   photo276x239.jpg   JPEG, shrunk into the box
#   wide100x50.gif     GIF, enlarged
#   square260.png      PNG, kept at its size
#   photo276x239.png   PNG of the first size
#   photo276x239.jpg.scrambled  the JPEG with the halves of every byte exchanged (solution picture form)
#   broken.png         a PNG whose image data cannot be inflated
#   quarters.webp, quarters.heic, quarters.avif   the packer's quarters picture (red, green / blue,
#                      white) in the formats Windows reads only with its codecs
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert
for format in webp heic avif; do
  "$convert" ../../unit/pack/fixtures/quarters.jpg -strip -quality 95 "quarters.$format"
done
"$convert" -size 276x239 gradient:'#2060c0-#f0d020' -fill '#c02020' -draw 'circle 138,120 138,60' \
  -quality 90 photo276x239.jpg
"$convert" -size 100x50 xc:'#30a030' -fill white -draw 'rectangle 20,10 80,40' wide100x50.gif
"$convert" -size 260x260 xc:'#e0e0ff' -fill '#8040c0' -draw 'rectangle 30,30 230,230' -strip square260.png
"$convert" -size 276x239 gradient:'#40c040-#2020a0' -depth 8 -strip photo276x239.png
python3 - <<'PY'
import struct, zlib
data = open("photo276x239.jpg", "rb").read()
open("photo276x239.jpg.scrambled", "wb").write(bytes(((b << 4) | (b >> 4)) & 0xFF for b in data))

def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

# A valid header, then image data whose zlib header names compression method 15: cannot be inflated.
ihdr = struct.pack(">IIBBBBB", 4, 4, 8, 2, 0, 0, 0)
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", b"\x7f\x00" + b"\x00" * 16) + chunk(b"IEND", b"")
open("broken.png", "wb").write(png)
PY
