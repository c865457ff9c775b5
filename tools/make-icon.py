#!/usr/bin/env python3
"""Draws the program's 32 x 32 icon (a folded map with a route and a pin) and
writes it as a Windows .ico file: python3 tools/make-icon.py src/ui/res/app.ico"""
import struct
import sys

W = H = 32
px = [[(0, 0, 0, 0)] * W for _ in range(H)]


def put(x, y, rgba):
    if 0 <= x < W and 0 <= y < H:
        px[y][x] = rgba


# Three map panels, alternately lit, with a dark outline.
panels = [(3, 7, 11, (0x6F, 0xB5, 0x5E)), (11, 5, 19, (0x8F, 0xCF, 0x7A)), (19, 7, 29, (0x6F, 0xB5, 0x5E))]
for x0, top, x1, colour in panels:
    for x in range(x0, x1 + 1):
        t = top + (1 if (x - x0) % 2 else 0) * 0
        for y in range(t, t + 20):
            put(x, y, colour + (255,))
for x in range(3, 30):
    top = 7 if x < 11 or x > 19 else 5
    put(x, top, (0x2E, 0x4A, 0x2A, 255))
    put(x, top + 19, (0x2E, 0x4A, 0x2A, 255))
for y in range(5, 27):
    for x in (3, 11, 19, 29):
        if (x in (3, 29) and 7 <= y <= 26) or (x in (11, 19) and 5 <= y <= 24):
            put(x, y, (0x2E, 0x4A, 0x2A, 255))
# A blue river across the map.
for x in range(4, 29):
    y = 20 - (x // 4) % 3
    put(x, y, (0x2F, 0x6F, 0xD0, 255))
    put(x, y + 1, (0x2F, 0x6F, 0xD0, 255))
# A red pin with a white dot.
for y in range(2, 9):
    for x in range(17, 25):
        if (x - 20.5) ** 2 + (y - 5.5) ** 2 <= 12:
            put(x, y, (0xD0, 0x2A, 0x2A, 255))
for y in range(9, 15):
    w = max(0, 3 - (y - 9) // 2)
    for x in range(21 - w, 21 + w):
        put(x, y, (0xD0, 0x2A, 0x2A, 255))
put(20, 5, (255, 255, 255, 255))
put(21, 5, (255, 255, 255, 255))
put(20, 6, (255, 255, 255, 255))
put(21, 6, (255, 255, 255, 255))

# BITMAPINFOHEADER with double height (XOR image + AND mask), 32 bits per pixel.
xor = b"".join(struct.pack("BBBB", b, g, r, a) for row in reversed(px) for (r, g, b, a) in row)
mask_rows = []
for row in reversed(px):
    bits = 0
    for x, (_, _, _, a) in enumerate(row):
        if a == 0:
            bits |= 1 << (31 - x)
    mask_rows.append(struct.pack(">I", bits))
andmask = b"".join(mask_rows)
header = struct.pack("<IiiHHIIiiII", 40, W, H * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
image = header + xor + andmask
ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", W, H, 0, 0, 1, 32, len(image), 22) + image
with open(sys.argv[1], "wb") as f:
    f.write(ico)
