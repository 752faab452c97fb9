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

# View keys change only the picture: the console stays silent.
before=$(wc -c <"$E2E_TMP/out")
press "$wid" s s s 0 w W s
sleep 0.3
[ "$(wc -c <"$E2E_TMP/out")" = "$before" ] || fail "a view key printed on the console"
kill -0 "$APP_PID" || fail "the program ended on a view key"

# A condition key runs the dialogue, which reads its answers from the console.
say $'y\n40 35\nh\nn\n'
press "$wid" u
wait_output "(2) 回転・直動関節減速比(旧u1 u2=30.00 30.00)  u1 u2="
wait_output "u1 =  40.0[rad/rad]     u2 =  35.0[rad/m]"
n=$(grep -oF "描画画面へ       " "$E2E_TMP/out" | wc -l)
for _ in $(seq 1 200); do
  [ "$n" -ge 2 ] && break
  sleep 0.05
  n=$(grep -oF "描画画面へ       " "$E2E_TMP/out" | wc -l)
done
[ "$n" -ge 2 ] || fail "the dialogue after u did not finish"

# g recomputes without questions.
press "$wid" g
wait_output "重力考慮する"

press "$wid" Escape
wait_exit
[ "$EXIT_STATUS" = 0 ] || fail "ESC ended the program with status $EXIT_STATUS"
echo PASS
