#!/usr/bin/env bash
# The program on a terminal (a pseudo-terminal made by script): keys answer
# without Enter, a condition key in the window asks on the terminal, and ESC
# in the window while that question waits ends the program with status 0 and
# the terminal in the mode it had before.
source "$(dirname "$0")/lib.bash"
APP=$1

start_display
mkfifo "$E2E_TMP/in"
mkdir -p "$E2E_TMP/work"
# The terminal's mode before and after the program, and its status, from
# inside the same terminal.
inner="stty -g >'$E2E_TMP/before'; '$APP'; echo \$? >'$E2E_TMP/status'; stty -g >'$E2E_TMP/after'"
(cd "$E2E_TMP/work" && exec env LC_ALL=C.UTF-8 script -qfec "$inner" /dev/null \
  <"$E2E_TMP/in" >"$E2E_TMP/out" 2>"$E2E_TMP/err") &
APP_PID=$!
exec 3>"$E2E_TMP/in"

wait_output "type="
say a           # single keys, no Enter
wait_output "sgnG="
say h
wait_output "条件のどれか変更する？"
say n
wait_output "描画画面へ       "
wid=$(find_window) || fail "no window appeared"

press "$wid" u
wait_output "(2) 減速機変更？"
press "$wid" Escape
for _ in $(seq 1 200); do [ -s "$E2E_TMP/after" ] && break; sleep 0.05; done
[ -s "$E2E_TMP/after" ] || fail "the program did not end at ESC"
[ "$(cat "$E2E_TMP/status")" = 0 ] || fail "ESC during a question gave status $(cat "$E2E_TMP/status")"
grep -q : "$E2E_TMP/before" || fail "no terminal mode was read"
cmp -s "$E2E_TMP/before" "$E2E_TMP/after" ||
  fail "the terminal was left in another mode: $(cat "$E2E_TMP/before") -> $(cat "$E2E_TMP/after")"
exec 3>&-
wait_exit
echo PASS
