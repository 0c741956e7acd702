#!/usr/bin/env python3
"""Draws the few small pictures that the skin's style sheet needs.

Style sheets can only show arrows of combo boxes and spin boxes from image
files, so these are rendered here, each at 1x and 2x ("@2x"), from the
triangles below. Run from any folder; the pictures land beside this script.
Only the standard library is used.
"""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

ACCENT = (47, 128, 208)    # the skin's accent blue, #2f80d0
DISABLED = (180, 194, 209)  # the skin's disabled grey-blue, #b4c2d1

# Each picture: logical size and a triangle in logical pixels.
SHAPES = {
    "arrow-down": ((10, 6), [(1.0, 1.0), (9.0, 1.0), (5.0, 5.5)]),
    "arrow-up": ((10, 6), [(1.0, 5.0), (9.0, 5.0), (5.0, 0.5)]),
}

SAMPLES = 8  # sub-samples per axis and pixel, for smooth edges


def inside(px, py, triangle):
    (ax, ay), (bx, by), (cx, cy) = triangle
    d1 = (px - bx) * (ay - by) - (ax - bx) * (py - by)
    d2 = (px - cx) * (by - cy) - (bx - cx) * (py - cy)
    d3 = (px - ax) * (cy - ay) - (cx - ax) * (py - ay)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def render(size, triangle, scale, colour):
    width, height = size[0] * scale, size[1] * scale
    scaled = [(x * scale, y * scale) for x, y in triangle]
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    if inside(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES, scaled):
                        hits += 1
            alpha = round(255 * hits / (SAMPLES * SAMPLES))
            row += bytes(colour) + bytes([alpha])
        rows.append(bytes(row))
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


def main():
    for name, (size, triangle) in SHAPES.items():
        for suffix, colour in (("", ACCENT), ("-disabled", DISABLED)):
            for scale in (1, 2):
                at = "" if scale == 1 else "@2x"
                width, height, rows = render(size, triangle, scale, colour)
                write_png(os.path.join(HERE, f"{name}{suffix}{at}.png"), width, height, rows)


if __name__ == "__main__":
    main()
