#!/usr/bin/env python3
"""Draws the views' toolbar image: the thumbnail button, four small pictures in a grid.

    make_view_art.py OUTDIR

Writes thumbnail_button.bmp, a 16 x 16 24-bit bitmap on the button face colour (192, 192, 192),
which the toolbar treats as transparent. The shapes and their sampling are the Mounter's own
icon drawing (mounter/core/res/make_art.py).
"""

import os
import struct
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'core', 'res'))
from make_art import OUTLINE, polygon, rect, render  # noqa: E402

BUTTON_FACE = (192, 192, 192)


def small_picture(x, y):
    """A framed landscape of 6 x 6 design units with its top-left corner at (x, y)."""
    return [
        (rect(x, y, x + 6, y + 6), OUTLINE),
        (rect(x + 1, y + 1, x + 5, y + 5), (125, 185, 235)),
        (polygon([(x + 1, y + 5), (x + 2.5, y + 2.5), (x + 5, y + 5)]), (60, 150, 70)),
    ]


THUMBNAILS = small_picture(1, 1) + small_picture(9, 1) + small_picture(1, 9) + small_picture(9, 9)


def write_bitmap(path, rows):
    """A bottom-up 24-bit BMP of RGBA rows (top-down), transparent pixels on the button face."""
    size = len(rows)
    stride = (size * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b, a in row:
            blend = [(c * a + f * (255 - a)) // 255 for c, f in zip((r, g, b), BUTTON_FACE)]
            line += bytes((blend[2], blend[1], blend[0]))
        pixels += line + bytes(stride - len(line))
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(header + info + bytes(pixels))


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_view_art.py OUTDIR')
    os.makedirs(sys.argv[1], exist_ok=True)
    write_bitmap(os.path.join(sys.argv[1], 'thumbnail_button.bmp'), render(THUMBNAILS, 16, 16))


if __name__ == '__main__':
    main()
