#!/usr/bin/env python3
"""Draws the camera sheet's bitmaps: the status panel, the glyphs of its counter and the small
indicators of the settings and states.

    make_sheet_art.py OUTDIR

Writes 24-bit BMP files: panel.bmp (330 x 72), glyph00.bmp .. glyph13.bmp (36 x 40: the digits 0
to 9 as seven-segment figures, then a dash, then "F", "U", "L" for a full card) and one 16 x 16
indicator per setting or state, on the dialog face colour.
"""

import os
import struct
import sys

FACE = (192, 192, 192)
LCD = (170, 200, 150)
INK = (30, 40, 30)
DARK = (70, 70, 80)


class Canvas:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.pixels[y][x] = colour

    def write(self, path):
        stride = (self.width * 3 + 3) & ~3
        data = bytearray()
        for row in reversed(self.pixels):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            data += line + bytes(stride - len(line))
        info = struct.pack('<IiiHHIIiiII', 40, self.width, self.height, 1, 24, 0, len(data), 0, 0, 0, 0)
        header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(data), 0, 0, 14 + len(info))
        with open(path, 'wb') as f:
            f.write(header + info + bytes(data))


# Segments a..g of a 36 x 40 glyph as rectangles.
SEGMENTS = {
    'a': (8, 3, 28, 7), 'b': (27, 5, 31, 20), 'c': (27, 21, 31, 36), 'd': (8, 33, 28, 37),
    'e': (5, 21, 9, 36), 'f': (5, 5, 9, 20), 'g': (8, 18, 28, 22),
}
FIGURES = ['abcdef', 'bc', 'abdeg', 'abcdg', 'bcfg', 'acdfg', 'acdefg', 'abc', 'abcdefg', 'abcdfg',
           'g', 'aefg', 'bcdef', 'def']


def glyph(segments):
    canvas = Canvas(36, 40, LCD)
    for name in segments:
        canvas.fill(*SEGMENTS[name], INK)
    return canvas


def panel():
    canvas = Canvas(330, 72, DARK)
    canvas.fill(2, 2, 328, 70, (110, 110, 120))
    canvas.fill(186, 20, 322, 68, LCD)
    canvas.fill(6, 30, 176, 66, (90, 90, 100))
    return canvas


def indicator(shapes):
    canvas = Canvas(16, 16, FACE)
    for shape in shapes:
        canvas.fill(*shape)
    return canvas


def bars(count):
    return [(1 + 5 * i, 12 - 3 * i, 5 + 5 * i, 15, INK) for i in range(count)]


BOLT = [(7, 1, 11, 7, (230, 180, 0)), (5, 6, 11, 9, (230, 180, 0)), (5, 8, 9, 15, (230, 180, 0))]
EYE = [(3, 6, 13, 10, (255, 255, 255)), (6, 6, 10, 10, (200, 0, 0))]
INDICATORS = {
    'quality_best': bars(3), 'quality_better': bars(2), 'quality_good': bars(1),
    'flash_auto': BOLT + [(11, 10, 15, 15, INK)], 'flash_fill': BOLT, 'flash_off': BOLT + [(1, 7, 15, 9, (200, 0, 0))],
    'redeye_auto': EYE + [(11, 11, 15, 15, INK)], 'redeye_fill': EYE,
    'resolution_high': [(1, 1, 15, 15, INK), (3, 3, 13, 13, (255, 255, 255)), (5, 5, 11, 11, INK)],
    'resolution_standard': [(4, 4, 12, 12, INK), (6, 6, 10, 10, (255, 255, 255))],
    'closeup': [(6, 1, 10, 6, (200, 0, 120)), (1, 6, 6, 10, (200, 0, 120)), (10, 6, 15, 10, (200, 0, 120)),
                (6, 10, 10, 15, (200, 0, 120)), (7, 7, 9, 9, (230, 180, 0))],
    'selftimer': [(2, 2, 14, 14, INK), (4, 4, 12, 12, (255, 255, 255)), (7, 4, 9, 9, INK), (7, 7, 11, 9, INK)],
    'battery_full': [(1, 4, 14, 12, INK), (14, 6, 16, 10, INK), (2, 5, 13, 11, (0, 170, 0))],
    'battery_low': [(1, 4, 14, 12, INK), (14, 6, 16, 10, INK), (2, 5, 13, 11, (255, 255, 255)),
                    (2, 5, 5, 11, (200, 0, 0))],
    'ac_power': [(4, 1, 6, 5, INK), (10, 1, 12, 5, INK), (2, 5, 14, 10, INK), (7, 10, 9, 15, INK)],
    'card_in': [(3, 1, 13, 15, INK), (4, 2, 12, 14, (0, 90, 200)), (5, 3, 11, 5, (255, 255, 255))],
    'card_out': [(3, 1, 13, 15, (150, 150, 150)), (1, 7, 15, 9, (200, 0, 0))],
}


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_sheet_art.py OUTDIR')
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    panel().write(os.path.join(out, 'panel.bmp'))
    for index, figure in enumerate(FIGURES):
        glyph(figure).write(os.path.join(out, 'glyph%02d.bmp' % index))
    for name, shapes in INDICATORS.items():
        indicator(shapes).write(os.path.join(out, name + '.bmp'))


if __name__ == '__main__':
    main()
