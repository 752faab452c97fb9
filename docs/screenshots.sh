#!/usr/bin/env bash
# Pictures of the real program's window for the README, kept with the
# program's own p key: each robot mid-motion, a resized window, and the
# lesson view (v) of each robot, and its switching functions (f).
# Needs Xvfb and xdotool. Usage: docs/screenshots.sh build/tocsim
set -eu
APP=$(realpath "$1")
OUT=$(cd "$(dirname "$0")" && pwd)
source "$(dirname "$0")/../tests/e2e/lib.bash"
start_display

# answers, number of s presses, window size (WxH or ""), output file, keys
# pressed before the steps (optional), and seconds to wait before p (optional:
# the sweep view fills in the background)
shoot() {
  start_app "$APP"
  say "$1"
  wait_output "描画画面へ       "
  local wid keys=() png
  wid=$(find_window) || fail "no window"
  if [ -n "$3" ]; then
    xdotool windowsize --sync "$wid" "${3%x*}" "${3#*x}" 2>/dev/null ||
      xdotool windowsize "$wid" "${3%x*}" "${3#*x}"
  fi
  [ -n "${5:-}" ] && read -ra keys <<<"$5"
  for _ in $(seq 1 "$2"); do keys+=(s); done
  press "$wid" "${keys[@]}"
  sleep "${6:-0}"
  press "$wid" p
  png=$(wait_file 'tocsim-*.png') || fail "no picture kept"
  mv "$E2E_TMP/work/$png" "$OUT/$4"
  press "$wid" Escape
  wait_exit
  exec 3>&-
  rm -f "$E2E_TMP/in"
}

shoot $'a\nh\nn\n' 60 "" window-cylindrical.png
shoot $'b\nh\nn\n' 50 "" window-scara.png
shoot $'b\ng\nn\n' 40 1100x720 window-resized.png
shoot $'a\nh\nn\n' 60 "" lesson-cylindrical.png v
shoot $'b\nh\nn\n' 50 "" lesson-scara.png v
shoot $'b\nh\nn\n' 0 "" lesson-sigma.png "v f End"
shoot $'b\nh\nn\n' 0 "" sweep-scara.png r 15
echo "written: $OUT/window-cylindrical.png $OUT/window-scara.png $OUT/window-resized.png" \
     "$OUT/lesson-cylindrical.png $OUT/lesson-scara.png $OUT/lesson-sigma.png $OUT/sweep-scara.png"
