#!/usr/bin/env bash
# The window goes on while a console question waits: it is resized and drawn
# anew at its new size, window keys other than ESC wait, and the answer given
# later goes on with the dialogue. ESC during a question ends the program with
# status 0.
source "$(dirname "$0")/lib.bash"
APP=$1
PROBE=${2:?usage: window_waits.sh APP WINDOW_PROBE}

start_display 1600x1200  # room for the window at 1200 x 700
start_app "$APP"
say $'a\nh\nn\n'
wait_output "描画画面へ       "
wid=$(find_window) || fail "no window appeared"

# u asks its first question; nothing has been typed for it yet.
press "$wid" u
wait_output "(2) 減速機変更？"

# While it waits: resize, and the whole window shows the picture again as a
# square of side 700 in its middle (x 250..950) with white margins.
xdotool windowsize --sync "$wid" 1200 700 2>/dev/null || xdotool windowsize "$wid" 1200 700
box=""
for _ in $(seq 1 200); do
  box=$("$PROBE" "$wid") || fail "the window could not be read"
  read -r w h x0 y0 x1 y1 <<<"$box"
  if [ "$w" = 1200 ] && [ "$h" = 700 ] && [ "$x0" -ge 250 ] && [ "$x1" -le 950 ] &&
     [ $((x1 - x0)) -ge 600 ] && [ "$y0" -ge 0 ] && [ "$y1" -le 700 ] && [ $((y1 - y0)) -ge 600 ]; then
    break
  fi
  sleep 0.05
done
[ "$x0" -ge 250 ] && [ "$x1" -le 950 ] && [ $((x1 - x0)) -ge 600 ] ||
  fail "the picture was not redrawn square and centred while the question waited: $box"

# Window keys wait with the question: x keeps no motion now.
press "$wid" x s
sleep 0.3
ls "$E2E_TMP"/work/*.csv >/dev/null 2>&1 && fail "a window key was handled while a question waited"

# The answers come later and the dialogue goes on to its end.
say $'y\n40 35\nh\nn\n'
wait_output "u1 =  40.0[rad/rad]     u2 =  35.0[rad/m]"
wait_count "描画画面へ       " 2 || fail "the dialogue after u did not finish"
press "$wid" x
wait_file 'tocsim-a-h.csv' >/dev/null || fail "x after the dialogue kept no motion"

# ESC while the next question waits ends the program, status 0.
press "$wid" k
wait_output "    変更する？　yes:y   no:n   "
press "$wid" Escape
wait_exit
[ "$EXIT_STATUS" = 0 ] || fail "ESC during a question ended the program with status $EXIT_STATUS"
echo PASS
