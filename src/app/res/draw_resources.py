#!/usr/bin/env python3
"""Draws the player's own icons and cursor: play.ico (1004), stop.ico (1005), hand.cur (1003).

Run from anywhere: the files are written beside this script. Pure Python, no dependencies.
Icons: 32 x 32, 32 bits with alpha plus the AND mask. Cursor: 32 x 32 two-colour, hot spot (6, 0).
"""
import os
import struct

SIZE = 32
HERE = os.path.dirname(os.path.abspath(__file__))


def bitmap_header(width, height, bits, colours):
    # BITMAPINFOHEADER of an icon image: the height counts the XOR and the AND masks together.
    return struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, 0, 0, 0, colours, 0)


def and_mask(opaque):
    """Rows bottom-up, 1 bit a pixel, 1 = transparent, rows padded to 4 bytes."""
    out = b""
    for y in reversed(range(SIZE)):
        row = 0
        for x in range(SIZE):
            if not opaque(x, y):
                row |= 1 << (31 - x)
        out += struct.pack(">I", row)
    return out


def icon_file(pixel):
    """pixel(x, y) -> (r, g, b, a) or None for transparent."""
    xor = b""
    for y in reversed(range(SIZE)):
        for x in range(SIZE):
            p = pixel(x, y)
            xor += bytes((p[2], p[1], p[0], p[3])) if p else b"\0\0\0\0"
    image = bitmap_header(SIZE, SIZE, 32, 0) + xor + and_mask(lambda x, y: pixel(x, y) is not None)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def play_pixel(x, y):
    # A green triangle pointing right, with a dark outline.
    left, top, bottom, tip = 8, 4, 27, 27
    if not (top <= y <= bottom and x >= left):
        return None
    middle = (top + bottom) / 2.0
    half = (bottom - top) / 2.0
    reach = left + (tip - left) * (1 - abs(y - middle) / half)
    if x > reach:
        return None
    edge = x <= left + 1 or x >= reach - 1.5 or y in (top, bottom)
    return (0, 90, 0, 255) if edge else (40, 190, 60, 255)


def stop_pixel(x, y):
    # A red square with a dark outline.
    if not (7 <= x <= 24 and 7 <= y <= 24):
        return None
    edge = x in (7, 24) or y in (7, 24)
    return (120, 0, 0, 255) if edge else (220, 40, 40, 255)


# A pointing hand, index finger up; its tip is the hot spot (6, 0). '#' outline, '.' fill.
HAND = [
    "     ##",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..###",
    "    #..#..###",
    "    #..#..#..##",
    " ## #..#..#..#.#",
    "#..##........#..#",
    "#...#...........#",
    " #..............#",
    "  #.............#",
    "  #.............#",
    "   #...........#",
    "   #...........#",
    "    #.........#",
    "    #.........#",
    "    ###########",
]
# The tip of the finger is at column 5/6 of the first row.
HOT_SPOT = (6, 0)


def hand_cursor():
    grid = [row.ljust(SIZE) for row in HAND] + [" " * SIZE] * (SIZE - len(HAND))
    black_outline = lambda x, y: grid[y][x] == "#"
    opaque = lambda x, y: grid[y][x] in "#."
    # Two colours: palette 0 black, 1 white; XOR bits 1 = white (fill), 0 = black.
    xor = b""
    for y in reversed(range(SIZE)):
        row = 0
        for x in range(SIZE):
            if opaque(x, y) and not black_outline(x, y):
                row |= 1 << (31 - x)
        xor += struct.pack(">I", row)
    palette = b"\0\0\0\0" + b"\xff\xff\xff\0"
    image = bitmap_header(SIZE, SIZE, 1, 2) + palette + xor + and_mask(opaque)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    outputs = {
        "play.ico": icon_file(play_pixel),
        "stop.ico": icon_file(stop_pixel),
        "hand.cur": hand_cursor(),
    }
    for name, data in outputs.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
