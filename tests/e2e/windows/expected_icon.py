"""The date icon as the test expects it, drawn pixel by pixel from the tests' own glyph tables
(tests/support/glyph_tables.h), not from the program's own artwork."""

import datetime
import os
import re

GLYPH_TABLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support",
                            "glyph_tables.h")
INK = (7, 9, 6)
GRAY = (192, 192, 192)
RED = (255, 0, 0)
ENGLISH = ["JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"]
# The French abbreviations, accents folded and stops dropped: janv. févr. mars avr. mai juin
# juil. août sept. oct. nov. déc.
FRENCH = ["JAN", "FEV", "MAR", "AVR", "MAI", "JUI", "JUI", "AOU", "SEP", "OCT", "NOV", "DEC"]


def read_glyphs(name, count):
    """The table `name` of the header: `count` glyphs, each six rows of four characters, '#' ink
    and '.' paper, top row first."""
    with open(GLYPH_TABLES, encoding="utf-8") as header:
        text = header.read()
    table = re.search(r"\b%s\{\{(.*?)\}\};" % name, text, re.S)
    if table is None:
        raise ValueError("no table %s in %s" % (name, GLYPH_TABLES))
    glyphs = [re.findall(r'"([^"]*)"', entry)
              for entry in re.findall(r"\{([^{}]*)\}", table.group(1))]
    if len(glyphs) != count or any(
            len(g) != 6 or any(re.fullmatch(r"[#.]{4}", row) is None for row in g)
            for g in glyphs):
        raise ValueError("%s in %s is not %d glyphs of 4 x 6" % (name, GLYPH_TABLES, count))
    return glyphs


def program_icon():
    """The program's own icon as rows of RGB bytes: the header's kProgramIconRows, black ink on
    yellow."""
    with open(GLYPH_TABLES, encoding="utf-8") as header:
        table = re.search(r"\bkProgramIconRows\{(.*?)\};", header.read(), re.S)
    rows = re.findall(r'"([^"]*)"', table.group(1)) if table else []
    if len(rows) != 16 or any(re.fullmatch(r"[#.]{16}", row) is None for row in rows):
        raise ValueError("kProgramIconRows in %s is not 16 rows of 16" % GLYPH_TABLES)
    return [b"".join(b"\0\0\0" if c == "#" else b"\xff\xff\0" for c in row) for row in rows]


DIGITS = read_glyphs("kDigitGlyphs", 10)  # 0 to 9
LETTERS = read_glyphs("kLetterGlyphs", 26)  # A to Z


def expected_icon(day, month, background):
    """The 16 x 16 date icon as rows of RGB bytes."""
    ink = tuple(b & i for b, i in zip(background, INK))
    pixels = [[background] * 16 for _ in range(16)]

    def draw(glyph, left, top):
        for y, row in enumerate(glyph):
            for x, cell in enumerate(row):
                if cell == "#":
                    pixels[top + y][left + x] = ink

    draw(DIGITS[day // 10], 3, 2)
    draw(DIGITS[day % 10], 8, 2)
    for i, letter in enumerate(month):
        draw(LETTERS[ord(letter) - ord("A")], 1 + 5 * i, 9)
    return [b"".join(bytes(p) for p in row) for row in pixels]


def today_icon(background, months=ENGLISH):
    now = datetime.datetime.now()
    return expected_icon(now.day, months[now.month - 1], background)


def enlarged(icon, size):
    """The 16 x 16 icon at `size` x `size`: each pixel shows the one under its centre."""
    source = [int((i + 0.5) * 16 / size) for i in range(size)]
    return [b"".join(icon[sy][3 * sx:3 * sx + 3] for sx in source) for sy in source]
