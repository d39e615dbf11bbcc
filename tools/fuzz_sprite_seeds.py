#!/usr/bin/env python3
"""Writes the sprite fuzzer's seeds (fuzz/seeds/sprites/): tiny CHAR sheets in the BMP layouts a
player might save one in, each a few dozen bytes, so the fuzzer starts from every way of storing
pixels that the reader knows."""
import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fuzz", "seeds", "sprites")

# Our own little marker sheet: a face, a wedge and a buoy, black around them.
BLACK, WHITE, RED = (0, 0, 0), (255, 255, 255), (230, 20, 20)
GREEN, YELLOW = (0, 200, 60), (250, 230, 0)


def sheet(width, height):
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            cell, cx = divmod(x, 8)
            if y >= 8 or cell > 2:
                row.append(BLACK)
            elif cell == 0:
                row.append(RED if (y == 5 and 2 <= cx <= 5) else WHITE)
            elif cell == 1:
                row.append(YELLOW if cx >= y // 2 else BLACK)
            else:
                row.append(RED if abs(cx - 3.5) < y / 2 else GREEN if y == 7 else BLACK)
        rows.append(row)
    return rows


def header(width, height, bits, image, colours=0, compression=0, extra=b""):
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(image), 2835,
                       2835, colours, 0)
    offset = 14 + len(info) + len(extra)
    return b"BM" + struct.pack("<IHHI", offset + len(image), 0, 0, offset) + info + extra + image


def padded(row):
    return row + b"\0" * (-len(row) % 4)


def bgr24(rows, top_down=False):
    order = rows if top_down else rows[::-1]
    image = b"".join(padded(b"".join(bytes((b, g, r)) for r, g, b in row)) for row in order)
    return header(len(rows[0]), -len(rows) if top_down else len(rows), 24, image)


def bgra32_bitfields(rows):
    masks = struct.pack("<III", 0x00FF0000, 0x0000FF00, 0x000000FF)
    image = b"".join(b"".join(bytes((b, g, r, 255)) for r, g, b in row) for row in rows[::-1])
    return header(len(rows[0]), len(rows), 32, image, compression=3, extra=masks)


def paletted(rows, bits, rle=False):
    colours = sorted({c for row in rows for c in row})
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    lines = []
    for row in rows[::-1]:
        idx = [colours.index(c) for c in row]
        if rle:
            line = b""
            x = 0
            while x < len(idx):
                run = 1
                while x + run < len(idx) and idx[x + run] == idx[x] and run < 255:
                    run += 1
                line += bytes((run, idx[x]))
                x += run
            lines.append(line + b"\0\0")
        else:
            per = 8 // bits
            packed = bytearray()
            for x in range(0, len(idx), per):
                byte = 0
                for i, v in enumerate(idx[x : x + per]):
                    byte |= v << (8 - bits * (i + 1))
                packed.append(byte)
            lines.append(padded(bytes(packed)))
    image = b"".join(lines)
    if rle:
        image = image[:-2] + b"\0\1"
    return header(len(rows[0]), len(rows), bits, image, colours=len(colours),
                  compression=1 if rle else 0, extra=table)


def main():
    os.makedirs(OUT, exist_ok=True)
    seeds = {
        "sheet_8bit.bmp": paletted(sheet(25, 9), 8),
        "sheet_rle8.bmp": paletted(sheet(24, 8), 8, rle=True),
        "sheet_4bit.bmp": paletted(sheet(24, 8), 4),
        "odd_24bit.bmp": bgr24(sheet(5, 3)),
        "top_down_24bit.bmp": bgr24(sheet(11, 9), top_down=True),
        "bitfields_32bit.bmp": bgra32_bitfields(sheet(9, 2)),
        "one_pixel_1bit.bmp": paletted([[WHITE]], 1),
    }
    for name, data in seeds.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
