#!/usr/bin/env bash
# The real binary on a piped console, before any window opens: end of input,
# giving up after a failed solve, and the Shift_JIS console.
set -u
APP=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; tail -c 2000 "$tmp/out" 2>/dev/null; exit 1; }

# Input ends at the first dialogue question: one line says so, status 1.
printf 'a\nh\n' | env -u DISPLAY LC_ALL=C.UTF-8 timeout 20 "$APP" >"$tmp/out" 2>"$tmp/err"
status=$?
[ "$status" = 1 ] || fail "end of input gave status $status"
grep -qF "条件のどれか変更する？" "$tmp/out" || fail "the first question was not asked"
[ "$(tail -c 200 "$tmp/out" | grep -c "コンソール入力が終わりました")" = 1 ] || fail "no end-of-input line"

# An unreachable SCARA end point has no solution; n ends the program with
# status 0 before any window is opened (there is no display here).
printf 'b\nh\ny z h y 0.8 0 0 1.0\n1 x x n\n' |
  env -u DISPLAY LC_ALL=C.UTF-8 timeout 20 "$APP" >"$tmp/out" 2>"$tmp/err"
status=$?
[ "$status" = 0 ] || fail "n after a failed solve gave status $status"
grep -qF "!!! 逆運動学の解なし．始めからやり直し．" "$tmp/out" || fail "no reach message"
grep -qF "切り替え時刻の解なし  別の条件で計算する？  yes:y   no:n  " "$tmp/out" ||
  fail "no failed-solve question"

# A locale that is not installed but names Shift_JIS: the console speaks CP932.
printf 'a\nh\n' | env -u DISPLAY LANG= LC_CTYPE= LC_ALL=ja_JP.SJIS timeout 20 "$APP" >"$tmp/out" 2>/dev/null
iconv -f CP932 -t UTF-8 "$tmp/out" >"$tmp/utf8" || fail "output is not valid CP932"
grep -qF "ロボットの最短時間制御(TOC)シミュレーション" "$tmp/utf8" || fail "title missing in CP932"
grep -qF "τ1max= 1.885[Nm]" "$tmp/utf8" || fail "report missing in CP932"
if grep -qF "ロボット" "$tmp/out"; then fail "UTF-8 text on a Shift_JIS console"; fi
echo PASS
