#!/usr/bin/env bash
# The desktop icons, cut from the program's own picture: the cylindrical robot
# mid-motion, kept with the window's p key, then the blue (time-optimal) and
# red (PID) arms alone on white, cropped square and scaled to each size that
# docs/icons/ holds. Run again after the drawing changes; the build only
# installs the PNGs. Needs Xvfb, xdotool and python3-pil.
# Usage: docs/icons.sh build/tocsim
set -eu
APP=$(realpath "$1")
OUT=$(cd "$(dirname "$0")" && pwd)/icons
source "$(dirname "$0")/../tests/e2e/lib.bash"
start_display

start_app "$APP"
say $'a\nh\nn\n'
wait_output "描画画面へ       "
wid=$(find_window) || fail "no window"
keys=()
for _ in $(seq 1 60); do keys+=(s); done
press "$wid" "${keys[@]}" p
png=$(wait_file 'tocsim-*.png') || fail "no picture kept"
press "$wid" Escape
wait_exit

mkdir -p "$OUT"
/usr/bin/python3 - "$E2E_TMP/work/$png" "$OUT" <<'PY'
import sys
from PIL import Image, ImageFilter

picture = Image.open(sys.argv[1]).convert("RGB")
out = sys.argv[2]
w, h = picture.size
# The robots are drawn left of the time graphs, which take the right third.
robots = picture.crop((0, 0, w * 2 // 3, h))

def mask(keep):
    m = Image.new("L", robots.size, 0)
    m.putdata([255 if keep(p) else 0 for p in robots.getdata()])
    return m

blue = mask(lambda p: p[2] > 150 and p[0] < 100 and p[1] < 100)
red = mask(lambda p: p[0] > 150 and p[1] < 100 and p[2] < 100)

# A square around both arms, with a margin.
x0, y0, x1, y1 = Image.merge("RGB", (red, blue, blue)).convert("L").point(
    lambda v: 255 if v else 0).getbbox()
side = max(x1 - x0, y1 - y0) * 21 // 20
cx, cy = (x0 + x1) // 2, (y0 + y1) // 2
box = (cx - side // 2, cy - side // 2, cx - side // 2 + side, cy - side // 2 + side)
blue, red = blue.crop(box), red.crop(box)

for n in (16, 32, 48, 64, 128, 256):
    # One-pixel lines vanish when scaled down: thicken them first by about
    # the scale factor (an odd filter size).
    k = max(1, side // n) | 1
    icon = Image.new("RGB", (side, side), (255, 255, 255))
    icon.paste((0, 0, 255), mask=blue.filter(ImageFilter.MaxFilter(k)))
    icon.paste((255, 0, 0), mask=red.filter(ImageFilter.MaxFilter(k)))
    icon.resize((n, n), Image.LANCZOS).save(f"{out}/tocsim-{n}.png", optimize=True)
PY
echo "written: $(cd "$OUT" && ls tocsim-*.png | tr '\n' ' ')"
