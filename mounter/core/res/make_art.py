#!/usr/bin/env python3
"""Draws the Mounter's icons and its connection animation.

    make_art.py OUTDIR

Writes the icon files (32-bit icons with an alpha channel and an AND mask) and connect.avi, an
uncompressed 8-bit palettised AVI that the common animation control plays. Only the standard
library is used: shapes are described in a design space and sampled several times per pixel.
"""

import os
import struct
import sys

# ---------------------------------------------------------------------------------------------
# Shapes: each answers whether a point of the design space lies inside it.


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def polygon(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    return inside


def stroke(points, width):
    """A polyline of the given width with round ends and joints."""
    half2 = (width / 2.0) ** 2

    def near_segment(x, y, ax, ay, bx, by):
        dx, dy = bx - ax, by - ay
        t = ((x - ax) * dx + (y - ay) * dy) / float(dx * dx + dy * dy)
        t = min(max(t, 0.0), 1.0)
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half2

    def inside(x, y):
        return any(near_segment(x, y, *points[i], *points[i + 1]) for i in range(len(points) - 1))
    return inside


# ---------------------------------------------------------------------------------------------
# Icons


def render(layers, design, size, samples=4):
    """RGBA rows (top-down) of layers [(shape, rgb)], painted in order, at size x size pixels."""
    scale = design / float(size)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    colour = None
                    for shape, rgb in layers:
                        if shape(x, y):
                            colour = rgb
                    if colour:
                        r, g, b, a = r + colour[0], g + colour[1], b + colour[2], a + 1
            n = samples * samples
            row.append((r // a, g // a, b // a, 255 * a // n) if a else (0, 0, 0, 0))
        rows.append(row)
    return rows


def icon_image(rows):
    """One icon image: BITMAPINFOHEADER (double height), BGRA pixels bottom-up, AND mask."""
    size = len(rows)
    mask_stride = ((size + 31) // 32) * 4
    pixels = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(row):
            pixels += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, len(pixels) + len(mask),
                         0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)


def write_icon(path, images):
    """An .ico file of images [(size, data)]."""
    offset = 6 + 16 * len(images)
    directory = struct.pack('<HHH', 0, 1, len(images))
    body = b''
    for size, data in images:
        directory += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        body += data
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(directory + body)


OUTLINE = (40, 40, 46)

CAMERA = [
    (round_rect(1, 8, 31, 28, 3.5), OUTLINE),
    (round_rect(4, 5, 13, 10, 1.5), OUTLINE),
    (round_rect(5, 6, 12, 10, 1), (96, 98, 108)),
    (rect(21, 6, 28, 9), OUTLINE),
    (rect(22, 6.8, 27, 9), (205, 45, 40)),
    (round_rect(2, 9, 30, 27, 2.5), (120, 123, 134)),
    (rect(2.5, 9.5, 29.5, 12), (150, 153, 164)),
    (rect(23, 13, 28, 16), (235, 232, 200)),
    (circle(15, 18.5, 8), OUTLINE),
    (circle(15, 18.5, 7), (190, 192, 200)),
    (circle(15, 18.5, 5.2), (30, 34, 44)),
    (circle(15, 18.5, 4), (50, 95, 170)),
    (circle(13.4, 16.9, 1.5), (210, 228, 255)),
]

# Edges on even units stay sharp at 16 x 16.
CHIP_PINS = [rect(2, y, 6, y + 2) for y in (8, 12, 16, 20)] + \
            [rect(24, y, 28, y + 2) for y in (8, 12, 16, 20)] + \
            [rect(x, 2, x + 2, 6) for x in (8, 12, 16, 20)] + \
            [rect(x, 24, x + 2, 28) for x in (8, 12, 16, 20)]

CAMERA_MEMORY = [(pin, (200, 168, 60)) for pin in CHIP_PINS] + [
    (rect(6, 6, 24, 24), OUTLINE),
    (rect(7, 7, 23, 23), (58, 60, 70)),
    (circle(15, 15, 5), (150, 152, 162)),
    (circle(15, 15, 3.6), (30, 34, 44)),
    (circle(15, 15, 2.6), (60, 110, 190)),
    (circle(14.2, 14.2, 0.9), (210, 228, 255)),
]

CARD_PIN_HOLES = [rect(x, 4.5, x + 1.6, 6.5) for x in (8, 11, 14, 17, 20)]

MEMORY_CARD = [
    (polygon([(4, 2), (23, 2), (28, 7), (28, 30), (4, 30)]), OUTLINE),
    (polygon([(5, 3), (22.6, 3), (27, 7.4), (27, 29), (5, 29)]), (60, 95, 170)),
] + [(hole, (25, 30, 45)) for hole in CARD_PIN_HOLES] + [
    (rect(8, 11, 24, 26), (238, 238, 244)),
    (rect(10, 14, 22, 16), (120, 130, 150)),
    (rect(10, 18.5, 19, 20.5), (120, 130, 150)),
    (rect(10, 23, 16, 24), (200, 60, 50)),
]

ALBUM = [
    (round_rect(4, 2, 28, 30, 1.5), OUTLINE),
    (round_rect(5, 3, 27, 29, 1), (160, 62, 46)),
    (rect(5, 3, 9, 29), (112, 40, 30)),
    (rect(12, 8, 25, 22), (248, 246, 236)),
    (rect(13.5, 9.5, 23.5, 20.5), (125, 185, 235)),
    (polygon([(13.5, 20.5), (17, 14.5), (19.2, 17), (20.6, 15.4), (23.5, 20.5)]), (60, 150, 70)),
    (circle(21, 12.5, 1.5), (250, 215, 60)),
    (rect(12, 24.5, 25, 25.5), (220, 200, 160)),
]

STEP_DONE = [(stroke([(2.8, 8.6), (6.3, 12.2), (13.2, 4.2)], 2.8), (30, 150, 45))]
STEP_FAILED = [(stroke([(4, 4), (12, 12)], 2.7), (205, 35, 30)),
               (stroke([(12, 4), (4, 12)], 2.7), (205, 35, 30))]
STEP_UNDER_WAY = [(rect(2, 6.4, 9, 9.6), (35, 95, 205)),
                  (polygon([(8, 2.8), (14.2, 8), (8, 13.2)]), (35, 95, 205))]

ICONS = [
    ('camera.ico', CAMERA, 32, (32, 16)),
    ('camera_memory.ico', CAMERA_MEMORY, 32, (32, 16)),
    ('memory_card.ico', MEMORY_CARD, 32, (32, 16)),
    ('album.ico', ALBUM, 32, (32, 16)),
    ('step_done.ico', STEP_DONE, 16, (16,)),
    ('step_failed.ico', STEP_FAILED, 16, (16,)),
    ('step_under_way.ico', STEP_UNDER_WAY, 16, (16,)),
]

# ---------------------------------------------------------------------------------------------
# Connection animation: a picture flies from the camera to the computer along the cable's arc.

AVI_WIDTH, AVI_HEIGHT = 80, 40
AVI_FRAMES = 12
AVI_RATE = 8   # frames per second

PALETTE = [
    (212, 208, 200),   # 0 background (the control's transparent colour: the first pixel)
    (40, 40, 46),      # 1 outline
    (120, 123, 134),   # 2 camera body
    (30, 34, 44),      # 3 lens
    (60, 110, 190),    # 4 glass, sky
    (205, 45, 40),     # 5 shutter button
    (222, 216, 190),   # 6 computer case
    (20, 60, 90),      # 7 screen
    (248, 248, 240),   # 8 photo frame
    (60, 150, 70),     # 9 grass
    (130, 130, 130),   # 10 cable
    (250, 215, 60),    # 11 sun
]

SCENE = [
    (stroke([(22, 27), (30, 35), (50, 35), (56, 33)], 1.2), 10),
    (rect(4, 11, 11, 15), 1),
    (rect(3, 14, 24, 31), 1),
    (rect(4, 15, 23, 30), 2),
    (rect(17, 12, 22, 14), 5),
    (circle(12.5, 22.5, 5.5), 1),
    (circle(12.5, 22.5, 4.5), 3),
    (circle(12.5, 22.5, 3), 4),
    (rect(55, 5, 78, 25), 1),
    (rect(56, 6, 77, 24), 6),
    (rect(58, 8, 75, 22), 7),
    (rect(64, 25, 70, 28), 1),
    (rect(58, 28, 76, 31), 1),
    (rect(59, 28.5, 75, 30.5), 6),
]


def photo(x, y):
    """A small picture (9 x 7) with its top-left corner at x, y."""
    return [
        (rect(x, y, x + 9, y + 7), 1),
        (rect(x + 1, y + 1, x + 8, y + 6), 8),
        (rect(x + 2, y + 2, x + 7, y + 5), 4),
        (rect(x + 2, y + 4, x + 7, y + 5), 9),
        (rect(x + 5, y + 2, x + 6, y + 3), 11),
    ]


def frame_layers(n):
    if n < AVI_FRAMES - 2:
        t = n / float(AVI_FRAMES - 3)
        x = 8 + t * (62 - 8)
        y = 19 - 4 * t * (1 - t) * 14 + t * (11 - 19)
        return SCENE + photo(round(x), round(y))
    # The picture has arrived: the computer shows it.
    return SCENE + photo(62, 11)


def frame_pixels(layers):
    """8-bit DIB rows, bottom-up; the width is a multiple of 4, so rows need no padding."""
    out = bytearray()
    for py in reversed(range(AVI_HEIGHT)):
        for px in range(AVI_WIDTH):
            index = 0
            for shape, colour in layers:
                if shape(px + 0.5, py + 0.5):
                    index = colour
            out.append(index)
    return bytes(out)


def chunk(fourcc, data):
    return fourcc + struct.pack('<I', len(data)) + data + (b'\0' if len(data) % 2 else b'')


def riff_list(kind, fourcc, children):
    body = fourcc + b''.join(children)
    return kind + struct.pack('<I', len(body)) + body


def write_avi(path):
    frames = [frame_pixels(frame_layers(n)) for n in range(AVI_FRAMES)]
    frame_size = AVI_WIDTH * AVI_HEIGHT
    main_header = struct.pack('<14I', 1000000 // AVI_RATE, frame_size * AVI_RATE, 0,
                              0x10,   # AVIF_HASINDEX
                              AVI_FRAMES, 0, 1, frame_size, AVI_WIDTH, AVI_HEIGHT, 0, 0, 0, 0)
    stream_header = b'vids' + b'DIB ' + struct.pack('<IHHIIIIIIIIhhhh', 0, 0, 0, 0, 1, AVI_RATE, 0,
                                                    AVI_FRAMES, frame_size, 0xFFFFFFFF, 0,
                                                    0, 0, AVI_WIDTH, AVI_HEIGHT)
    bitmap_header = struct.pack('<IiiHHIIiiII', 40, AVI_WIDTH, AVI_HEIGHT, 1, 8, 0, frame_size,
                                0, 0, len(PALETTE), 0)
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header_list = riff_list(b'LIST', b'hdrl', [
        chunk(b'avih', main_header),
        riff_list(b'LIST', b'strl', [chunk(b'strh', stream_header),
                                     chunk(b'strf', bitmap_header + palette)]),
    ])
    frame_chunks = [chunk(b'00db', f) for f in frames]
    movie_list = riff_list(b'LIST', b'movi', frame_chunks)
    index = b''
    offset = 4   # index offsets count from the 'movi' tag
    for c in frame_chunks:
        index += b'00db' + struct.pack('<III', 0x10, offset, len(c) - 8)   # AVIIF_KEYFRAME
        offset += len(c)
    avi = riff_list(b'RIFF', b'AVI ', [header_list, movie_list, chunk(b'idx1', index)])
    with open(path, 'wb') as f:
        f.write(avi)


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_art.py OUTDIR')
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, layers, design, sizes in ICONS:
        write_icon(os.path.join(out, name),
                   [(size, icon_image(render(layers, design, size))) for size in sizes])
    write_avi(os.path.join(out, 'connect.avi'))


if __name__ == '__main__':
    main()
