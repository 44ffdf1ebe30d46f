#!/usr/bin/env python3
"""The player's cut font has a glyph for every character the course shows:
the course list (characters, pinyin, words, sentences), the texts of the
course movies' sources and of the host's own strings.

usage: player_font_test.py FONT LIST_TXT SOURCE_FOLDER...
"""
import pathlib
import sys

from fontTools.ttLib import TTFont

SOURCE_SUFFIXES = {".hx", ".h", ".cpp"}


def shown_characters(list_file, folders):
    texts = {list_file.name: list_file.read_text(encoding="utf-8")}
    for folder in folders:
        for path in folder.rglob("*"):
            if path.suffix in SOURCE_SUFFIXES:
                texts[str(path)] = path.read_text(encoding="utf-8", errors="ignore")
    needed = {}
    for name, text in texts.items():
        for char in text:
            if char.isprintable() and not char.isspace() and ord(char) < 0x10000:
                needed.setdefault(char, name)
    return needed


def main():
    font_file, list_file = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    folders = [pathlib.Path(f) for f in sys.argv[3:]]
    cmap = TTFont(font_file).getBestCmap()
    needed = shown_characters(list_file, folders)
    missing = {c: where for c, where in needed.items() if ord(c) not in cmap}
    for char, where in sorted(missing.items()):
        print(f"missing U+{ord(char):04X} {char} (from {where})")
    print(f"{len(needed)} characters shown, {len(missing)} missing from {font_file}")
    # Sanity: the list holds Chinese, pinyin with tone marks and digits.
    assert len(needed) > 1000, "the course list was not read"
    for sample in "山水日月ǎàǚ0123456789，。":
        assert ord(sample) in cmap, f"U+{ord(sample):04X} {sample} is not in the font"
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
