"""The lesson view's font for the page, cut down to the characters the views
draw: printable ASCII, and every other character written in a string literal
of src/view (as itself or as a \\u escape) or named by a character constant
there (the font table of text_metrics.h: kMiddleDot = 0xB7, kSmallSigma =
0x3C3, kSmallTau = 0x3C4, kMinusSign = 0x2212). The outlines and glyph boxes
stay as they are in the font (stb_truetype reads nothing else of it; the
advances come from view/text_metrics.h), hinting and layout tables go.

    lesson_font_subset.py <src/view folder> <font> <subset font>

Needs fontTools (Debian's python3-fonttools).
"""
import os
import re
import sys

from fontTools import subset

LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
ESCAPE = re.compile(r"\\u([0-9a-fA-F]{4})|\\U([0-9a-fA-F]{8})")
CONSTANT = re.compile(r"char32_t\s+k\w+\s*=\s*0x([0-9a-fA-F]+)\s*;")


def without_comments(source):
    """The source without // and /* */ comments (string literals kept)."""
    out, i, n = [], 0, len(source)
    while i < n:
        c = source[i]
        if c == '"':
            m = LITERAL.match(source, i)
            if m:
                out.append(m.group(0))
                i = m.end()
                continue
        if source.startswith("//", i):
            i = source.find("\n", i)
            i = n if i < 0 else i
            continue
        if source.startswith("/*", i):
            i = source.find("*/", i + 2)
            i = n if i < 0 else i + 2
            continue
        out.append(c)
        i += 1
    return "".join(out)


def view_characters(folder):
    chars = set(range(0x20, 0x7F))
    for name in sorted(os.listdir(folder)):
        if not name.endswith((".cpp", ".h")):
            continue
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            source = without_comments(f.read())
        for m in CONSTANT.finditer(source):
            chars.add(int(m.group(1), 16))
        for m in LITERAL.finditer(source):
            text = m.group(1)
            chars.update(ord(c) for c in text if ord(c) > 0x7E)
            for e in ESCAPE.finditer(text):
                chars.add(int(e.group(1) or e.group(2), 16))
    return sorted(chars)


def main():
    folder, font, out = sys.argv[1:4]
    chars = view_characters(folder)
    tmp = out + ".tmp"
    subset.main([font, "--output-file=" + tmp, "--unicodes=" + ",".join(f"U+{c:04X}" for c in chars),
                 "--no-hinting", "--layout-features=", "--drop-tables+=kern,GSUB,GPOS,GDEF",
                 "--no-notdef-outline", "--name-IDs=0,1,2,3,4,5,6,13,14", "--name-languages=0x409"])
    os.replace(tmp, out)
    extra = "".join(chr(c) for c in chars if c > 0x7E)
    print(f"lesson font: {len(chars)} characters (printable ASCII and {extra}), "
          f"{os.path.getsize(out)} bytes", flush=True)


if __name__ == "__main__":
    main()
