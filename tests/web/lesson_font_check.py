"""The page's lesson font against the full font it was cut from: every
character of the subset draws the same outline in the same box (what
stb_truetype reads of a glyph), and the subset holds every character the
views draw (printable ASCII, the middle dot, σ, τ and the minus sign at
least: the font table of view/text_metrics.h).

    lesson_font_check.py <full font> <subset font>
"""
import sys

from fontTools.ttLib import TTFont


# The characters of the lesson font's table: printable ASCII, then the middle
# dot, σ, τ and the minus sign.
TABLE = list(range(0x20, 0x7F)) + [0xB7, 0x3C3, 0x3C4, 0x2212]


def outline(font, char):
    glyf = font["glyf"]
    name = font.getBestCmap()[char]
    glyph = glyf[name]
    coords, ends, flags = glyph.getCoordinates(glyf)
    box = (glyph.xMin, glyph.yMin, glyph.xMax, glyph.yMax) if glyph.numberOfContours else None
    return list(coords), list(ends), [f & 1 for f in flags], box


def main():
    full, cut = TTFont(sys.argv[1]), TTFont(sys.argv[2])
    chars = sorted(cut.getBestCmap())
    failures = [f"U+{c:04X} is missing" for c in TABLE if c not in chars]
    for c in chars:
        if outline(full, c) != outline(cut, c):
            failures.append(f"U+{c:04X} is drawn otherwise than in the full font")
    if full["head"].unitsPerEm != cut["head"].unitsPerEm:
        failures.append("another em")
    for f in failures:
        print("FAIL lesson font: " + f)
    print(f"lesson font: {len(chars)} characters, {len(failures)} differences from the full font")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
