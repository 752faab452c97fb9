#!/usr/bin/env bash
# The goal of the cylindrical default dragged in the real window from (0, 0.8)
# to (0.2, 0.8): the console goes on exactly as typing the same points does
# after the points question; the right button undoes it; the SCARA's goal
# dropped out of reach changes nothing; e switches the SCARA's elbow.
source "$(dirname "$0")/lib.bash"
APP=$1

# Window pixels (from the top left of the 800 x 800 window) of task points:
# the robot's base sits at drawing (-0.5, -0.5), one metre is half the window.
pixel_x() { awk -v m="$1" 'BEGIN { printf "%d", (m - 0.5 + 1) * 400 }'; }
pixel_y() { awk -v m="$1" 'BEGIN { printf "%d", 800 - (m - 0.5 + 1) * 400 }'; }

drag() {
  local wid=$1 x0=$2 y0=$3 x1=$4 y1=$5
  xdotool mousemove --window "$wid" "$x0" "$y0" mousedown 1
  xdotool mousemove --window "$wid" $(((x0 + x1) / 2)) $(((y0 + y1) / 2))
  xdotool mousemove --window "$wid" "$x1" "$y1" mouseup 1
}

# What the console says after the points question when (0.8, 0) -> (0.2, 0.8)
# is typed: the same start-up answered through to the points.
printf 'a\nh\ny\nz\nh\ny\n0.8 0 0.2 0.8\n' |
  env -u DISPLAY LC_ALL=C.UTF-8 timeout 20 "$APP" --no-window >"$E2E_TMP/typed" 2>/dev/null
prompt="入力　x0 y0 xf yf="
grep -qF "$prompt" "$E2E_TMP/typed" || fail "the typed session did not reach the points"
python3 -c 'import sys; t=open(sys.argv[1],encoding="utf-8").read(); sys.stdout.write(t.split(sys.argv[2],1)[1])' \
  "$E2E_TMP/typed" "$prompt" >"$E2E_TMP/expected" || fail "could not cut the typed session"

start_display
start_app "$APP"
say $'a\nh\nn\n'
wait_output "描画画面へ       "
wid=$(find_window) || fail "no window appeared"
before=$(wc -c <"$E2E_TMP/out")

drag "$wid" "$(pixel_x 0)" "$(pixel_y 0.8)" "$(pixel_x 0.2)" "$(pixel_y 0.8)"
wait_count "描画画面へ       " 2 || fail "the drag did not recompute"
tail -c +"$((before + 1))" "$E2E_TMP/out" >"$E2E_TMP/dragged"
cmp -s "$E2E_TMP/dragged" "$E2E_TMP/expected" || {
  diff "$E2E_TMP/expected" "$E2E_TMP/dragged" | head -20
  fail "the console after the drag is not what typing the points gives"
}

# The right button puts the goal back: the next drag starts from (0, 0.8).
xdotool mousemove --window "$wid" 700 750 click 3
drag "$wid" "$(pixel_x 0)" "$(pixel_y 0.8)" "$(pixel_x 0.1)" "$(pixel_y 0.8)"
wait_count "描画画面へ       " 3 || fail "after undo the goal was not at (0, 0.8) to take hold of"
grep -qF "終点(xf,yf)=( 0.1000       0.8000)" "$E2E_TMP/out" || fail "the second drag did not land on (0.1, 0.8)"

# The SCARA: e switches the elbow (the report says elbow up: the joint-2
# angle changes sign), and a goal dropped beyond its reach changes nothing.
say $'n\n'
press "$wid" b
wait_count "描画画面へ       " 4 || fail "b did not run its dialogue"
press "$wid" e
wait_count "描画画面へ       " 5 || fail "e did not recompute"
count=$(grep -c "計算終了" "$E2E_TMP/out")
drag "$wid" "$(pixel_x 0)" "$(pixel_y 0.8)" "$(pixel_x 0)" "$(pixel_y 0.98)"
sleep 0.5
[ "$(grep -c "計算終了" "$E2E_TMP/out")" = "$count" ] || fail "a goal out of reach recomputed"
kill -0 "$APP_PID" || fail "the program ended"
press "$wid" Escape
wait_exit
[ "$EXIT_STATUS" = 0 ] || fail "ESC gave status $EXIT_STATUS"
echo PASS
