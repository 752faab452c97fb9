#!/usr/bin/env bash
# The sweep view in the real window: it opens with --view sweep and fills
# while the window goes on (x refuses an incomplete sweep, then keeps the
# whole one), and a click on a point of the u1 graph runs the u dialogue
# with that ratio typed.
source "$(dirname "$0")/lib.bash"
APP=$1

start_display
start_app "$APP" --view sweep --lang en
say $'a\nh\nn\n'
wait_output "To the drawing window       "
wid=$(find_window) || fail "no window appeared"

# x until the sweep is complete and kept (at most a minute).
for _ in $(seq 1 120); do
  press "$wid" x
  sleep 0.5
  grep -q "Saved: ./tocsim-a-h-sweep.csv" "$E2E_TMP/out" && break
done
grep -q "Saved: ./tocsim-a-h-sweep.csv" "$E2E_TMP/out" || fail "the sweep was never kept"
lines=$(wc -l <"$E2E_TMP/work/tocsim-a-h-sweep.csv")
[ "$lines" = 81 ] || fail "the sweep file has $lines lines"

# Ratio 38.7 on the u1 graph (x from -0.83 at u = 1 to 0.95 at u = 300, the
# plot from 0.16 to 0.70 up the 800 x 800 picture).
x=$(awk 'BEGIN { printf "%d", ((-0.83 + log(38.7) / log(300) * 1.78) + 1) / 2 * 800 }')
y=$(awk 'BEGIN { printf "%d", (1 - 0.43) / 2 * 800 }')
xdotool mousemove --window "$wid" "$x" "$y" click 1
wait_count "Computation finished" 2 || fail "the click ran no dialogue"
grep -q "u1 =  38.7\[rad/rad\]" "$E2E_TMP/out" || fail "the click did not make u1 38.7"

press "$wid" Escape
wait_exit
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "ok: sweep view"
