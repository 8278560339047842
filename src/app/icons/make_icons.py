#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files beside this script.

The application icon: two file cards (local and remote) with an arrow
between them, at 16, 24, 32, 48 and 256 pixels. The status icons: a grey dot
(not connected) and a green dot in two shades (connected, blinking).
Run it again after changing a drawing; the .ico files are committed.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = 4  # per axis, for anti-aliasing


def rounded_rect(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return math.hypot(x - cx, y - cy) <= r


def app_shape(x, y):
    """Colour (r, g, b, a) at a point of the unit square, or None."""
    # Arrow from the left card to the right one, drawn over both.
    if 0.30 <= x <= 0.62 and 0.44 <= y <= 0.56:
        return (255, 196, 40, 255)
    if 0.60 <= x <= 0.80 and abs(y - 0.5) <= (0.80 - x) * 0.9:
        return (255, 196, 40, 255)
    if rounded_rect(x, y, 0.52, 0.18, 0.96, 0.86, 0.07):
        edge = not rounded_rect(x, y, 0.55, 0.21, 0.93, 0.83, 0.05)
        return (20, 70, 140, 255) if edge else (70, 140, 220, 255)
    if rounded_rect(x, y, 0.04, 0.14, 0.48, 0.82, 0.07):
        edge = not rounded_rect(x, y, 0.07, 0.17, 0.45, 0.79, 0.05)
        return (40, 90, 40, 255) if edge else (120, 190, 100, 255)
    return None


def dot_shape(inner, outer):
    def shape(x, y):
        d = math.hypot(x - 0.5, y - 0.5)
        if d <= 0.36:
            return inner + (255,)
        if d <= 0.44:
            return outer + (255,)
        return None
    return shape


def render(shape, size):
    """Rows top to bottom of (r, g, b, a), anti-aliased."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = shape((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if c:
                        for i in range(3):
                            acc[i] += c[i] * c[3]
                        acc[3] += c[3]
            n = SAMPLES * SAMPLES
            a = acc[3] / n
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(acc[i] / acc[3]) for i in range(3)) + (int(a),))
        rows.append(row)
    return rows


def dib(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + b'\0' * (mask_row * size)


def png(rows):
    size = len(rows)
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def write_ico(name, shape, sizes):
    images = [png(render(shape, s)) if s >= 256 else dib(render(shape, s)) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(out + b''.join(images))


write_ico('tarnwick.ico', app_shape, [16, 24, 32, 48, 256])
write_ico('offline.ico', dot_shape((170, 170, 170), (110, 110, 110)), [16, 32])
write_ico('online1.ico', dot_shape((60, 210, 60), (20, 120, 20)), [16, 32])
write_ico('online2.ico', dot_shape((150, 240, 150), (20, 120, 20)), [16, 32])
