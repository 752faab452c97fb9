#!/bin/bash
# Writes src/platform/web/glyph_font_data.cpp again from the desktop
# renderer's glyphs: run it after the desktop's text drawing changes.
#   tools/web_glyphs/make_glyph_font.sh [build folder]   (default: build)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build}
cmake --build "$build" --target glyph_dump >/dev/null
xvfb-run -a -s "-screen 0 1024x1024x24" "$build/glyph_dump" >"$top/src/platform/web/glyph_font_data.cpp.new"
mv "$top/src/platform/web/glyph_font_data.cpp.new" "$top/src/platform/web/glyph_font_data.cpp"
echo "written: src/platform/web/glyph_font_data.cpp"
