#!/usr/bin/env python3
"""Draws the studio's icon, studio.ico: a quiz card with a pencil across it, 32 x 32 and 16 x 16.

Run from anywhere: the file is written beside this script. Pure Python, no dependencies.
Each image is 32 bits with alpha, plus the AND mask the format requires.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def image(size, pixel):
    """pixel(u, v) with u, v in [0, 1) -> (r, g, b, a) or None. Returns the DIB of one icon image."""
    xor = b""
    mask = b""
    row_bytes = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            p = pixel((x + 0.5) / size, (y + 0.5) / size)
            xor += bytes((p[2], p[1], p[0], p[3])) if p else b"\0\0\0\0"
            if not p:
                bits |= 1 << (row_bytes * 8 - 1 - x)
        mask += bits.to_bytes(row_bytes, "big")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + xor + mask


def studio_pixel(u, v):
    # The pencil: a band along the diagonal from the lower left to the upper right, with a dark tip.
    along = (u + (1 - v)) / 2  # 0 at the lower left, 1 at the upper right
    across = (u - (1 - v)) / 2
    if abs(across) < 0.07 and 0.12 < along < 0.92:
        if along < 0.24:
            return (60, 40, 20, 255) if along < 0.17 else (235, 200, 150, 255)
        return (240, 160, 20, 255) if abs(across) < 0.05 else (150, 90, 0, 255)
    # The card: blue with a dark outline and three white lines of text.
    if 0.06 <= u <= 0.94 and 0.12 <= v <= 0.88:
        if u < 0.11 or u > 0.89 or v < 0.17 or v > 0.83:
            return (20, 50, 120, 255)
        for line in (0.3, 0.48, 0.66):
            if abs(v - line) < 0.04 and 0.2 <= u <= 0.8:
                return (255, 255, 255, 255)
        return (60, 120, 210, 255)
    return None


def icon_file(sizes):
    images = [image(size, studio_pixel) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    with open(os.path.join(HERE, "studio.ico"), "wb") as f:
        f.write(icon_file([32, 16]))


if __name__ == "__main__":
    main()
