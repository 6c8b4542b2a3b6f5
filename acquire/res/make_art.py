#!/usr/bin/env python3
"""Draws the acquire module's bitmaps, pictures and icon for pvres.

    make_art.py OUTDIR

Writes the bitmap buttons' faces (38 x 38, 8 bits a pixel: <CAPTION><U|D|F|X>.bmp for CAMERA, DISK,
TRANSM, HELP, PREF and CLOSE), the browsers' small images (small116.bmp to small126.bmp, 16 x 16
at 4 bits, and the 32 x 16 strip small110.bmp), the three pictures kept as whole BMP files
(background.bmp and about.bmp, 480 x 240, and placeholder.bmp, 96 x 72, at 24 bits) and
acquire.ico. The shapes and the icon writer are the Mounter's (mounter/core/res/make_art.py).
"""

import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'mounter', 'core', 'res'))
from make_art import (ALBUM, CAMERA, MEMORY_CARD, OUTLINE, circle, icon_image, polygon, rect, render,
                      round_rect, stroke, write_icon)

# ---------------------------------------------------------------------------------------------
# A canvas of RGB pixels that layers are painted onto, each with its bounding box and coverage
# sampled several times a pixel.


class Canvas:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill(x, y) for x in range(width)] for y in range(height)]

    def paint(self, shape, colour, box, scale=1.0, samples=3, opacity=1.0):
        """Blends colour where shape (in design units, scale design units a pixel) covers."""
        x0, y0, x1, y1 = (int(v / scale) for v in box)
        n = samples * samples
        for py in range(max(0, y0 - 1), min(self.height, y1 + 2)):
            row = self.pixels[py]
            for px in range(max(0, x0 - 1), min(self.width, x1 + 2)):
                hits = sum(1 for sy in range(samples) for sx in range(samples)
                           if shape((px + (sx + 0.5) / samples) * scale, (py + (sy + 0.5) / samples) * scale))
                if hits:
                    a = opacity * hits / n
                    row[px] = tuple(round(c * (1 - a) + k * a) for c, k in zip(row[px], colour))

    def paste(self, rgba_rows, left, top):
        """Lays RGBA rows (as render answers them) over the canvas at left, top."""
        for y, row in enumerate(rgba_rows):
            for x, (r, g, b, a) in enumerate(row):
                if a:
                    old = self.pixels[top + y][left + x]
                    self.pixels[top + y][left + x] = tuple(round(o + (n - o) * a / 255) for o, n in zip(old, (r, g, b)))


def bounds(points, pad=0.0):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


# ---------------------------------------------------------------------------------------------
# BMP files.


def row_bytes(indices_or_pixels, bits):
    if bits == 24:
        data = b''.join(bytes((b, g, r)) for r, g, b in indices_or_pixels)
    elif bits == 8:
        data = bytes(indices_or_pixels)
    else:
        it = list(indices_or_pixels) + [0]
        data = bytes((it[i] << 4) | it[i + 1] for i in range(0, len(indices_or_pixels), 2))
    return data + b'\0' * (-len(data) % 4)


def write_bmp(path, pixels, bits, palette=None):
    """A bottom-up BMP file of top-down rows: RGB tuples at 24 bits, palette indices otherwise."""
    height, width = len(pixels), len(pixels[0])
    bits_data = b''.join(row_bytes(row, bits) for row in reversed(pixels))
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in palette) if palette else b''
    offset = 14 + 40 + len(table)
    header = struct.pack('<2sIHHI', b'BM', offset + len(bits_data), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(bits_data), 2835, 2835,
                       len(palette) if palette else 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + table + bits_data)


def nearest(palette, colour):
    return min(range(len(palette)), key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], colour)))


# 8-bit faces: a 6 x 6 x 6 colour cube and 40 greys between its steps.
CUBE_PALETTE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)] + \
               [(v, v, v) for v in range(6, 256, 6) if v % 51][:40]
# 4-bit images: the sixteen colours of the standard VGA palette.
VGA_PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
               (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
               (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def indexed(canvas, palette):
    cache = {}
    rows = []
    for row in canvas.pixels:
        out = []
        for colour in row:
            if colour not in cache:
                cache[colour] = nearest(palette, colour)
            out.append(cache[colour])
        rows.append(out)
    return rows


# ---------------------------------------------------------------------------------------------
# Button faces: a bevelled square with a glyph in a 32-unit design space.

FACE = (208, 210, 216)
DARK_FACE = (168, 172, 182)
BLUE = (40, 90, 190)

GLYPHS = {
    'CAMERA': CAMERA,
    'DISK': [
        (round_rect(3, 4, 29, 22, 1.5), OUTLINE),
        (rect(5, 6, 27, 20), (90, 150, 220)),
        (polygon([(5, 20), (12, 12), (17, 17), (21, 13), (27, 20)]), (60, 140, 70)),
        (rect(13, 22, 19, 25), OUTLINE),
        (round_rect(7, 25, 25, 28, 1), OUTLINE),
    ],
    'TRANSM': [
        (rect(15, 4, 28, 28), OUTLINE),
        (rect(16, 5, 27, 27), (248, 248, 244)),
        (rect(18, 8, 25, 9.5), (150, 150, 160)),
        (rect(18, 12, 25, 13.5), (150, 150, 160)),
        (stroke([(3, 16), (15, 16)], 4), (30, 140, 60)),
        (polygon([(12, 9), (21, 16), (12, 23)]), (30, 140, 60)),
    ],
    'HELP': [
        (circle(16, 16, 13), OUTLINE),
        (circle(16, 16, 12), (60, 110, 200)),
        (stroke([(11.5, 12), (12.5, 8.6), (16, 7.4), (19.6, 8.6), (20.5, 12), (18.6, 14.6), (16, 16.4),
                 (16, 19)], 3), (255, 255, 255)),
        (circle(16, 23.6, 1.9), (255, 255, 255)),
    ],
    'PREF': [
        (rect(4, 7, 28, 9), OUTLINE),
        (rect(4, 15, 28, 17), OUTLINE),
        (rect(4, 23, 28, 25), OUTLINE),
        (round_rect(18, 4, 23, 12, 1), (200, 70, 50)),
        (round_rect(8, 12, 13, 20, 1), (60, 110, 200)),
        (round_rect(14, 20, 19, 28, 1), (40, 150, 70)),
    ],
    'CLOSE': [
        (round_rect(6, 3, 26, 29, 1.5), OUTLINE),
        (rect(8, 5, 24, 29), (150, 95, 55)),
        (circle(20.5, 17, 1.5), (240, 210, 90)),
        (stroke([(2, 16), (12, 16)], 3), (200, 40, 35)),
        (polygon([(1, 16), (6, 11), (6, 21)]), (200, 40, 35)),
    ],
}


def grey(rows):
    return [[(v, v, v, a // 2) for r, g, b, a in row for v in [(r + g + b) // 3]] for row in rows]


def button_face(glyph, state):
    """state U (up), D (down), F (focused) or X (disabled)."""
    size = 38
    face = DARK_FACE if state == 'D' else FACE
    canvas = Canvas(size, size, lambda x, y: face)
    light, shadow = ((96, 98, 104), (255, 255, 255)) if state == 'D' else ((255, 255, 255), (96, 98, 104))
    canvas.paint(rect(0, 0, 38, 2), light, (0, 0, 38, 2), samples=1)
    canvas.paint(rect(0, 0, 2, 38), light, (0, 0, 2, 38), samples=1)
    canvas.paint(rect(0, 36, 38, 38), shadow, (0, 36, 38, 38), samples=1)
    canvas.paint(rect(36, 0, 38, 38), shadow, (36, 0, 38, 38), samples=1)
    if state == 'F':
        ring = lambda x, y: (3 <= x < 35 and 3 <= y < 35) and not (4 <= x < 34 and 4 <= y < 34)
        canvas.paint(ring, BLUE, (3, 3, 35, 35), samples=1)
    rows = render(glyph, 32, 26)
    if state == 'X':
        rows = grey(rows)
    shift = 1 if state == 'D' else 0
    canvas.paste(rows, 6 + shift, 6 + shift)
    return canvas


# ---------------------------------------------------------------------------------------------
# Small images of the browsers: 16 x 16 at 4 bits.

FOLDER = [
    (polygon([(2, 8), (2, 27), (30, 27), (30, 10), (15, 10), (12, 6), (4, 6)]), OUTLINE),
    (polygon([(3, 9), (3, 26), (29, 26), (29, 11), (14, 11), (11, 7), (5, 7)]), (240, 200, 80)),
]
OPEN_FOLDER = FOLDER + [(polygon([(6, 14), (31, 14), (27, 26), (3, 26)]), (250, 225, 130))]
PICTURE = [
    (rect(4, 5, 28, 27), OUTLINE),
    (rect(5, 6, 27, 26), (120, 185, 235)),
    (polygon([(5, 26), (12, 15), (17, 21), (21, 16), (27, 26)]), (50, 150, 60)),
    (circle(22, 11, 2.5), (250, 220, 60)),
]
PICTURE_FPX = PICTURE + [(rect(4, 22, 14, 28), (200, 40, 40))]
DESKTOP = [
    (rect(2, 4, 30, 24), OUTLINE),
    (rect(4, 6, 28, 22), (0, 128, 128)),
    (rect(12, 24, 20, 27), OUTLINE),
    (rect(8, 27, 24, 29), OUTLINE),
]
COMPUTER = DESKTOP[:2] + [(rect(4, 6, 28, 22), (0, 0, 160))] + DESKTOP[2:]
DRIVE = [
    (rect(2, 11, 30, 22), OUTLINE),
    (rect(3, 12, 29, 21), (192, 192, 192)),
    (rect(22, 15, 26, 18), (0, 200, 0)),
]
NETWORK = [
    (rect(3, 3, 15, 12), OUTLINE), (rect(4, 4, 14, 11), (0, 128, 128)),
    (rect(17, 17, 29, 26), OUTLINE), (rect(18, 18, 28, 25), (0, 128, 128)),
    (stroke([(9, 12), (9, 21), (17, 21)], 2), OUTLINE),
]

SMALL_IMAGES = [CAMERA, MEMORY_CARD, ALBUM, PICTURE, PICTURE_FPX, DESKTOP, COMPUTER, DRIVE, FOLDER,
                OPEN_FOLDER, NETWORK]


def small_canvas(glyphs):
    canvas = Canvas(16 * len(glyphs), 16, lambda x, y: (255, 255, 255))
    for i, glyph in enumerate(glyphs):
        canvas.paste(render(glyph, 32, 16), 16 * i, 0)
    return canvas


# ---------------------------------------------------------------------------------------------
# Pictures: lettering from strokes in a 4 x 6 box per letter.

LETTERS = {
    'O': [[(2, 0), (3.4, 0.5), (4, 2), (4, 4), (3.4, 5.5), (2, 6), (0.6, 5.5), (0, 4), (0, 2), (0.6, 0.5), (2, 0)]],
    'R': [[(0, 6), (0, 0), (3, 0), (4, 1), (4, 2), (3, 3), (0, 3)], [(2, 3), (4, 6)]],
    'V': [[(0, 0), (2, 6), (4, 0)]],
    'I': [[(2, 0), (2, 6)]],
    'K': [[(0, 0), (0, 6)], [(4, 0), (0, 3.6)], [(1.3, 2.6), (4, 6)]],
    'P': [[(0, 6), (0, 0), (3, 0), (4, 1), (4, 2), (3, 3), (0, 3)]],
    'H': [[(0, 0), (0, 6)], [(4, 0), (4, 6)], [(0, 3), (4, 3)]],
    'T': [[(0, 0), (4, 0)], [(2, 0), (2, 6)]],
    'A': [[(0, 6), (2, 0), (4, 6)], [(0.7, 4), (3.3, 4)]],
    'L': [[(0, 0), (0, 6), (4, 6)]],
}


def lettering(canvas, text, left, top, unit, width, colour):
    x = left
    for ch in text:
        for line in LETTERS.get(ch, []):
            points = [(x + px * unit, top + py * unit) for px, py in line]
            canvas.paint(stroke(points, width), colour, bounds(points, width), samples=2)
        x += 6 * unit


def background():
    canvas = Canvas(480, 240, lambda x, y: (236 - y // 12, 240 - y // 16, 250))
    for shape, colour in CAMERA:
        scaled = lambda x, y, s=shape: s((x - 160) / 5, (y - 40) / 5)
        canvas.paint(scaled, colour, (160, 60, 320, 190), samples=1, opacity=0.18)
    lettering(canvas, 'ORVIK', 170, 196, 5, 3.2, (150, 160, 190))
    return canvas


def about():
    canvas = Canvas(480, 240, lambda x, y: (20 + y // 6, 40 + y // 5, 110 + y // 3))
    canvas.paste(render(CAMERA, 32, 96), 40, 72)
    lettering(canvas, 'ORVIK', 165, 50, 9, 5, (255, 255, 255))
    lettering(canvas, 'PHOTO PORTAL', 165, 140, 3.8, 2.4, (250, 215, 90))
    return canvas


def placeholder():
    canvas = Canvas(96, 72, lambda x, y: (218, 218, 218))
    canvas.paint(rect(0, 0, 96, 72), (150, 150, 150), (0, 0, 96, 72), samples=1)
    canvas.paint(rect(1, 1, 95, 71), (226, 226, 226), (0, 0, 96, 72), samples=1)
    canvas.paste(render(PICTURE, 32, 40), 28, 16)
    return canvas


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_art.py OUTDIR')
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for caption, glyph in GLYPHS.items():
        for state in 'UDFX':
            write_bmp(os.path.join(out, caption + state + '.bmp'),
                      indexed(button_face(glyph, state), CUBE_PALETTE), 8, CUBE_PALETTE)
    for i, glyph in enumerate(SMALL_IMAGES):
        write_bmp(os.path.join(out, 'small%d.bmp' % (116 + i)), indexed(small_canvas([glyph]), VGA_PALETTE),
                  4, VGA_PALETTE)
    write_bmp(os.path.join(out, 'small110.bmp'), indexed(small_canvas([PICTURE, FOLDER]), VGA_PALETTE),
              4, VGA_PALETTE)
    write_bmp(os.path.join(out, 'background.bmp'), background().pixels, 24)
    write_bmp(os.path.join(out, 'about.bmp'), about().pixels, 24)
    write_bmp(os.path.join(out, 'placeholder.bmp'), placeholder().pixels, 24)
    write_icon(os.path.join(out, 'acquire.ico'),
               [(size, icon_image(render(CAMERA, 32, size))) for size in (32, 16)])


if __name__ == '__main__':
    main()
