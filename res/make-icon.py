#!/usr/bin/env python3
"""Draws start.ico: one 48x48 image, 32-bit colour with alpha, stored as an
uncompressed bitmap with a 1-bit mask. A rounded orange square with a white
"play" triangle; edges smoothed by 4x4 supersampling."""
import struct
import sys

SIZE = 48
SAMPLES = 4


def inside_square(x, y):
    margin, radius = 2.0, 9.0
    lo, hi = margin + radius, SIZE - margin - radius
    cx, cy = min(max(x, lo), hi), min(max(y, lo), hi)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def inside_triangle(x, y):
    # Points (17,13), (17,35), (36,24): left edge, then the two slanted edges.
    if x < 17:
        return False
    half_height = 11.0 * (36.0 - x) / 19.0
    return abs(y - 24.0) <= half_height


def pixel(px, py):
    square = triangle = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x, y = px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES
            if inside_square(x, y):
                square += 1
                if inside_triangle(x, y):
                    triangle += 1
    total = SAMPLES * SAMPLES
    alpha = square / total
    if square == 0:
        return 0, 0, 0, 0
    shade = py / SIZE  # orange, darker towards the bottom
    r, g, b = 245 - 40 * shade, 140 - 50 * shade, 30
    t = triangle / square
    r, g, b = (r + (255 - r) * t, g + (255 - g) * t, b + (255 - b) * t)
    return round(b), round(g), round(r), round(255 * alpha)


def main(path):
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    colour = b"".join(bytes(p) for row in reversed(rows) for p in row)  # bottom-up BGRA
    mask_row_bytes = ((SIZE + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for x, p in enumerate(row):
            if p[3] == 0:  # fully transparent: set in the AND mask
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "start.ico")
