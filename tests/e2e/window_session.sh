#!/usr/bin/env bash
# The whole program under Xvfb: scripted console, keys sent to the real window,
# the window's size and UTF-8 title, and the exit status after ESC.
source "$(dirname "$0")/lib.bash"
APP=$1

start_display
start_app "$APP"
say $'a\nh\nn\n'
wait_output "描画画面へ       "
grep -qF "ロボットの最短時間制御(TOC)シミュレーション" "$E2E_TMP/out" || fail "no title"
grep -qF "type= a" "$E2E_TMP/out" || fail "robot key not echoed"
grep -qF "sgnG= h" "$E2E_TMP/out" || fail "gravity key not echoed"

wid=$(find_window) || fail "no window appeared"
geometry=$(xdotool getwindowgeometry "$wid")
echo "$geometry" | grep -q "Geometry: 800x800" || fail "window is not 800x800: $geometry"
title=$(xprop -id "$wid" _NET_WM_NAME)
expected='a,b:ロボット選択, u:減速, g,h:重力, k:始終点 変更，W,w:画面拡大縮小，0:初期へ，s:継続'
echo "$title" | grep -qF "\"$expected\"" || fail "title is not the key help in UTF-8: $title"

# View keys change only the picture: the console stays silent. The window
# handles keys in order, so once g's dialogue has printed, the view keys before
# it have been handled: what follows the old output must be g's key help.
before=$(wc -c <"$E2E_TMP/out")
press "$wid" s s s 0 w W s g
wait_output "重力考慮する"
# A key that changes the conditions while a motion is computed would take its
# place: let g's computation finish first.
wait_count "描画画面へ       " 2 || fail "the dialogue after g did not finish"
kill -0 "$APP_PID" || fail "the program ended on a view key"
tail -c +"$((before + 1))" "$E2E_TMP/out" | head -c 200 | grep -qF "描画画面上でキーによる操作選択" ||
  fail "a view key printed on the console"

# A condition key runs the dialogue, which reads its answers from the console.
say $'y\n40 35\nh\nn\n'
press "$wid" u
wait_output "(2) 回転・直動関節減速比(旧u1 u2=30.00 30.00)  u1 u2="
wait_output "u1 =  40.0[rad/rad]     u2 =  35.0[rad/m]"
wait_count "描画画面へ       " 3 || fail "the dialogue after u did not finish"

# g recomputes without questions.
press "$wid" g
wait_count "描画画面へ       " 4 || fail "the dialogue after g did not finish"
# The solver's title line says gravity is on: after the first g and this one.
[ "$(grep -cxF "重力考慮する" "$E2E_TMP/out")" = 2 ] || fail "g did not switch gravity on"

# x keeps the motion as CSV in the working folder: header, samples 0..200.
press "$wid" x
csv=$(wait_file 'tocsim-a-g.csv') || fail "x wrote no motion file"
wait_output "tocsim-a-g.csv"
[ "$(wc -l <"$E2E_TMP/work/$csv")" = 202 ] || fail "the motion file does not hold 201 samples"
head -n 1 "$E2E_TMP/work/$csv" | grep -q '^t_s,toc_q1,toc_q2,' || fail "the motion file has no header"

# Space plays the motion at its pace: after about half a second a picture
# kept with p shows a later sample; space again pauses, End shows the last.
press "$wid" space
first=$(date +%s%N)
while [ $(( $(date +%s%N) - first )) -lt 500000000 ]; do sleep 0.05; done
press "$wid" space p
png=$(wait_file 'tocsim-a-0*.png') || fail "p wrote no picture"
sample=${png#tocsim-a-}
sample=$((10#${sample%.png}))
[ "$sample" -ge 10 ] && [ "$sample" -lt 200 ] || fail "after half a second of playing the sample is $sample"
[ "$(png_size "$E2E_TMP/work/$png")" = 800x800 ] || fail "the picture is not the window's size"
press "$wid" End p
wait_file 'tocsim-a-0200.png' >/dev/null || fail "End did not show the last sample"

# The window can be resized; the picture keeps the window's size.
xdotool windowsize --sync "$wid" 1000 700 2>/dev/null || xdotool windowsize "$wid" 1000 700
for _ in $(seq 1 100); do
  xdotool getwindowgeometry "$wid" | grep -q "Geometry: 1000x700" && break
  sleep 0.05
done
xdotool getwindowgeometry "$wid" | grep -q "Geometry: 1000x700" || fail "the window was not resized"
press "$wid" Home p
wait_file 'tocsim-a-0000.png' >/dev/null || fail "Home did not show the first sample"
[ "$(png_size "$E2E_TMP/work/tocsim-a-0000.png")" = 1000x700 ] || fail "the picture does not follow the window's size"
kill -0 "$APP_PID" || fail "the program ended after the resize"

press "$wid" Escape
wait_exit
[ "$EXIT_STATUS" = 0 ] || fail "ESC ended the program with status $EXIT_STATUS"
echo PASS
