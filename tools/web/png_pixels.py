#!/usr/bin/env python3
"""Compares indexed PNG files by what they show: size, palette and pixel indices, whatever their
compression. usage: png_pixels.py A.png B.png  (exit 1 when they differ)"""
import struct
import sys
import zlib


def decode(path):
    with open(path, "rb") as f:
        data = f.read()
    at, header, palette, packed = 8, None, None, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IHDR":
            header = body
        elif kind == b"PLTE":
            palette = body
        elif kind == b"IDAT":
            packed += body
    return header, palette, zlib.decompress(packed)


if __name__ == "__main__":
    sys.exit(0 if decode(sys.argv[1]) == decode(sys.argv[2]) else 1)
