#!/usr/bin/env bash
# Pictures of the real program's window for the README: each robot mid-motion.
# Needs Xvfb, xdotool, xwd (x11-apps) and netpbm. Usage: docs/screenshots.sh build/tocsim
set -eu
APP=$(realpath "$1")
OUT=$(dirname "$0")
source "$(dirname "$0")/../tests/e2e/lib.bash"
start_display

shoot() {  # answers, number of s presses, output file
  start_app "$APP"
  say "$1"
  wait_output "描画画面へ       "
  local wid
  wid=$(find_window) || fail "no window"
  local keys=()
  for _ in $(seq 1 "$2"); do keys+=(s); done
  press "$wid" "${keys[@]}"
  sleep 0.5
  xwd -silent -id "$wid" | xwdtopnm 2>/dev/null | pnmtopng >"$OUT/$3"
  press "$wid" Escape
  wait_exit
  exec 3>&-
  rm -f "$E2E_TMP/in"
}

shoot $'a\nh\nn\n' 60 window-cylindrical.png
shoot $'b\nh\nn\n' 50 window-scara.png
echo "written: $OUT/window-cylindrical.png $OUT/window-scara.png"
