#!/usr/bin/env bash
# The mouse in the real window: in the lesson view a click in a time graph
# shows the sample at the time clicked, a drag moves along the motion, and in
# the classic picture a click changes nothing. The sample shown is read from
# the name of a picture kept with p.
source "$(dirname "$0")/lib.bash"
APP=$1

start_display
start_app "$APP" --view lesson
say $'a\nh\nn\n'
wait_output "描画画面へ       "
wid=$(find_window) || fail "no window appeared"

# Window pixel (from the top left of the 800 x 800 window) of the time t [s]
# on the time axis, 0 .. 4 s from x = 0.10 to 0.88 of the picture, and the
# middle of the first velocity graph (0.0475 up the picture).
x_of() { awk -v t="$1" 'BEGIN { printf "%d", ((0.10 + t / 4.0 * 0.78) + 1) / 2 * 800 }'; }
y_mid=$(awk 'BEGIN { printf "%d", (1 - 0.0475) / 2 * 800 }')

# The sample of the last picture kept, as a number.
kept_sample() {
  local png
  png=$(wait_file "$1") || fail "p wrote no picture"
  png=${png#tocsim-a-}
  echo $((10#${png%.png}))
}
near() { [ "$1" -ge $(($2 - 1)) ] && [ "$1" -le $(($2 + 1)) ]; }

xdotool mousemove --window "$wid" "$(x_of 2.0)" "$y_mid" click 1
press "$wid" p
sample=$(kept_sample 'tocsim-a-0*.png')
near "$sample" 100 || fail "a click at 2.0 s showed sample $sample, not 100"
rm -f "$E2E_TMP"/work/tocsim-a-*.png

xdotool mousemove --window "$wid" "$(x_of 1.0)" "$y_mid" mousedown 1
xdotool mousemove --window "$wid" "$(x_of 2.0)" "$y_mid"
xdotool mousemove --window "$wid" "$(x_of 3.0)" "$y_mid" mouseup 1
press "$wid" p
sample=$(kept_sample 'tocsim-a-0*.png')
near "$sample" 150 || fail "a drag to 3.0 s showed sample $sample, not 150"
rm -f "$E2E_TMP"/work/tocsim-a-*.png

# The classic picture has no time graphs there: the sample stays.
press "$wid" v
xdotool mousemove --window "$wid" "$(x_of 1.0)" "$y_mid" click 1
press "$wid" p
sample=$(kept_sample 'tocsim-a-0*.png')
near "$sample" 150 ||
  fail "a click in the classic picture changed the sample to $sample"

press "$wid" Escape
wait_exit
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "ok: lesson view mouse"
