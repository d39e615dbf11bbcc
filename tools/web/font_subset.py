#!/usr/bin/env python3
"""Cuts the Japanese face down to what the page can need, as a WOFF2 web font: ASCII, half-width
katakana, every JIS symbol, kana and level-1 kanji, and whatever else the game's texts and our
courses hold.

usage: font_subset.py FONT OUT.woff2 TEXTS.h COURSE.dat...
"""
import sys

from fontTools import subset


def characters(texts_header, courses):
    chars = {chr(c) for c in range(0x20, 0x7F)}
    chars |= {bytes([b]).decode("cp932") for b in range(0xA1, 0xE0)}
    # Lead bytes 0x81..0x84 hold the symbols and kana, 0x88..0x98 level-1 kanji.
    for lead in list(range(0x81, 0x85)) + list(range(0x88, 0x99)):
        for trail in range(0x40, 0xFD):
            try:
                chars.add(bytes([lead, trail]).decode("cp932"))
            except UnicodeDecodeError:
                pass
    # The game's texts are written out in the comments beside their bytes.
    with open(texts_header, encoding="utf-8") as f:
        chars |= set(f.read())
    for course in courses:
        with open(course, "rb") as f:
            chars |= set(f.read().decode("cp932", errors="ignore"))
    return {c for c in chars if c.isprintable()}


def main():
    font, out, texts_header, courses = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    options = subset.Options()
    options.flavor = "woff2"
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.notdef_outline = True
    face = subset.load_font(font, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text="".join(sorted(characters(texts_header, courses))))
    subsetter.subset(face)
    subset.save_font(face, out, options)


if __name__ == "__main__":
    main()
