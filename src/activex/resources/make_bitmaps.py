#!/usr/bin/env python3
"""Draws the four 16x16 toolbox images (24-bit BMP): linear bars, Data Matrix, PDF417, MaxiCode."""
import struct

SIZE = 16
GREY = (0xC0, 0xC0, 0xC0)  # the toolbox background; left transparent by form designers
INK = (0, 0, 0)


def linear(x, y):
    return 1 <= y <= 14 and x in (1, 2, 4, 7, 8, 10, 12, 13, 14)


def datamatrix(x, y):
    if not (1 <= x <= 14 and 1 <= y <= 14):
        return False
    if x == 1 or y == 14:  # the solid finder edges
        return True
    if y == 1:
        return x % 2 == 1
    if x == 14:
        return y % 2 == 0
    return (x * 7 + y * 5) % 3 == 0


def pdf417(x, y):
    if not (2 <= y <= 13 and 0 <= x <= 15):
        return False
    if x in (0, 2, 13, 15):  # start and stop patterns
        return True
    return 4 <= x <= 11 and ((x * 3 + (y // 3) * 5) % 4 < 2)


def maxicode(x, y):
    d2 = (x - 7.5) ** 2 + (y - 7.5) ** 2
    if d2 <= 30:
        return d2 <= 2 or 8 <= d2 <= 14 or 22 <= d2 <= 30
    return (x + (y % 2)) % 2 == 0 and (x * 5 + y) % 3 != 0


def write(path, dark):
    row = (SIZE * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        line = bytearray()
        for x in range(SIZE):
            r, g, b = INK if dark(x, y) else GREY
            line += bytes((b, g, r))
        pixels += line + bytes(row - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset))
        f.write(header + pixels)


for name, fn in (("barcode1d", linear), ("datamatrix", datamatrix), ("pdf417", pdf417),
                 ("maxicode", maxicode)):
    write(f"{name}.bmp", fn)
