#!/usr/bin/env bash
# The web page's font against the glyphs the desktop renderer reads back now:
# a change to the desktop's text drawing must be followed by
# tools/web_glyphs/make_glyph_font.sh, or the page writes other pixels.
#   glyph_font_test.sh <glyph_dump> <glyph_font_data.cpp>
set -u
out=$(mktemp)
trap 'rm -f "$out"' EXIT
xvfb-run -a -s "-screen 0 1024x1024x24" "$1" >"$out" || { echo "FAIL: glyph_dump failed"; exit 1; }
grep -q "kHelvetica18Bits" "$out" || { echo "FAIL: glyph_dump wrote no font"; exit 1; }
if ! cmp -s "$out" "$2"; then
  diff "$2" "$out" | head -n 20
  echo "FAIL: $2 is not the desktop renderer's glyphs; run tools/web_glyphs/make_glyph_font.sh"
  exit 1
fi
echo PASS
