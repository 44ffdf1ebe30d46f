#!/usr/bin/env python3
"""Cuts the player's CJK font out of a system font collection.

Kept: every character code page 936 can carry (the host's own text encoding,
so everything the course list and the documents can hold), Latin with the
pinyin tone marks, digits, punctuation and symbols. Dropped: the OpenType
layout tables (GSUB, GPOS, GDEF, BASE, JSTF) and the vertical metrics, which
the movie player reads whole when it makes an instance and never uses, and
the glyphs only they reach.

usage: make_font.py COLLECTION FACE_INDEX OUTPUT
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# Besides code page 936: Latin-1, Latin Extended-A/B (pinyin's ā á ǎ à, ü,
# ǖ ǘ ǚ ǜ), combining marks, punctuation, symbols, CJK punctuation, bopomofo,
# enclosed forms, the unified ideographs and the full-width forms.
EXTRA_RANGES = [(0x0020, 0x007E), (0x00A0, 0x024F), (0x02B0, 0x036F), (0x2000, 0x206F),
                (0x2100, 0x27BF), (0x3000, 0x303F), (0x3100, 0x312F), (0x3200, 0x32FF),
                (0x4E00, 0x9FFF), (0xFE30, 0xFE4F), (0xFF00, 0xFFEF)]


def characters():
    chars = set()
    for first, last in EXTRA_RANGES:
        chars.update(range(first, last + 1))
    for code in range(0x80, 0x10000):
        if 0xD800 <= code <= 0xDFFF:
            continue
        try:
            chr(code).encode("gbk")
        except UnicodeEncodeError:
            continue
        chars.add(code)
    return chars


def main():
    collection, face_index, output = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    options = subset.Options()
    options.layout_features = []
    options.drop_tables += ["GSUB", "GPOS", "GDEF", "BASE", "JSTF", "VORG", "vhea", "vmtx"]
    options.hinting = False
    options.name_IDs = ["*"]
    options.font_number = face_index
    font = subset.load_font(collection, options)
    cutter = subset.Subsetter(options)
    cutter.populate(unicodes=characters())
    cutter.subset(font)
    subset.save_font(font, output, options)
    kept = len(TTFont(output).getBestCmap())
    print(f"player font: {kept} characters in {output}")


if __name__ == "__main__":
    main()
