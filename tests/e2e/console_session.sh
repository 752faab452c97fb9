#!/usr/bin/env bash
# The real binary on a piped console with --no-window: end of input, giving up
# after a failed solve, the Shift_JIS console, and the refusal to start the
# dialogue without a display when a window was asked for.
set -u
APP=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; tail -c 2000 "$tmp/out" 2>/dev/null; exit 1; }

# Input ends at the first dialogue question: one line says so, status 1.
printf 'a\nh\n' | env -u DISPLAY LC_ALL=C.UTF-8 timeout 20 "$APP" --no-window >"$tmp/out" 2>"$tmp/err"
status=$?
[ "$status" = 1 ] || fail "end of input gave status $status"
grep -qF "条件のどれか変更する？" "$tmp/out" || fail "the first question was not asked"
[ "$(tail -c 200 "$tmp/out" | grep -c "コンソール入力が終わりました")" = 1 ] || fail "no end-of-input line"

# An unreachable SCARA end point has no solution; n ends the program with
# status 0 before any window is opened (there is no display here).
printf 'b\nh\ny z h y 0.8 0 0 1.0\n1 x x n\n' |
  env -u DISPLAY LC_ALL=C.UTF-8 timeout 20 "$APP" --no-window >"$tmp/out" 2>"$tmp/err"
status=$?
[ "$status" = 0 ] || fail "n after a failed solve gave status $status"
grep -qF "!!! 逆運動学の解なし．始めからやり直し．" "$tmp/out" || fail "no reach message"
grep -qF "切り替え時刻の解なし  別の条件で計算する？  yes:y   no:n  " "$tmp/out" ||
  fail "no failed-solve question"

# A locale that is not installed but names Shift_JIS: the console speaks CP932.
printf 'a\nh\n' | env -u DISPLAY LANG= LC_CTYPE= LC_ALL=ja_JP.SJIS timeout 20 "$APP" --no-window >"$tmp/out" 2>/dev/null
iconv -f CP932 -t UTF-8 "$tmp/out" >"$tmp/utf8" || fail "output is not valid CP932"
grep -qF "ロボットの最短時間制御(TOC)シミュレーション" "$tmp/utf8" || fail "title missing in CP932"
grep -qF "τ1max= 1.885[Nm]" "$tmp/utf8" || fail "report missing in CP932"
if grep -qF "ロボット" "$tmp/out"; then fail "UTF-8 text on a Shift_JIS console"; fi
# Without --no-window and without a display: one line naming --no-window, at
# once (no question asked), status 1.
printf 'a\nh\nn\n' | env -u DISPLAY LC_ALL=C.UTF-8 timeout 20 "$APP" >"$tmp/out" 2>"$tmp/err"
status=$?
[ "$status" = 1 ] || fail "no display gave status $status"
[ -s "$tmp/out" ] && fail "something was asked without a display"
[ "$(wc -l <"$tmp/err")" = 1 ] || fail "not one line on stderr without a display"
grep -qF -- "--no-window" "$tmp/err" || fail "the no-display line does not name --no-window"
printf '' | env -u DISPLAY LC_ALL=C.UTF-8 timeout 20 "$APP" --lang en >"$tmp/out" 2>"$tmp/err"
grep -qF "no X display; use --no-window" "$tmp/err" || fail "no English no-display line"

# --encoding utf8 under LANG=C (whose character set is not UTF-8): UTF-8 text.
printf 'a\nh\n' | env -u DISPLAY -u LC_ALL -u LC_CTYPE LANG=C timeout 20 "$APP" --no-window --encoding utf8 >"$tmp/out" 2>/dev/null
grep -qF "ロボットの最短時間制御(TOC)シミュレーション" "$tmp/out" || fail "--encoding utf8 did not give UTF-8"
printf 'a\nh\n' | env -u DISPLAY -u LC_ALL -u LC_CTYPE LANG=C timeout 20 "$APP" --no-window >"$tmp/out" 2>/dev/null
grep -qF "ロボット" "$tmp/out" && fail "LANG=C without --encoding should give CP932"
# --no-window runs of both robots print exactly the recorded dialogue (the
# transcripts end with the status line the recording adds), in both languages
# and both encodings.
GOLDEN=$(cd "$(dirname "$0")/../golden/sessions" && pwd)
check_transcript() {
  local name=$1 input=$2 enc=$3
  shift 3
  printf '%s' "$input" | env -u DISPLAY LC_ALL=C.UTF-8 timeout 20 "$APP" --no-window "$@" >"$tmp/out" 2>"$tmp/err"
  status=$?
  [ "$status" = 0 ] || fail "$name: status $status"
  head -c -12 "$GOLDEN/$name.$enc.txt" >"$tmp/expected"  # without "\n[status 0]\n"
  [ "$(tail -c 12 "$GOLDEN/$name.$enc.txt")" = $'\n[status 0]' ] || fail "$name: unexpected recording"
  cmp -s "$tmp/out" "$tmp/expected" || fail "$name ($enc $*): output differs from the recorded transcript"
}
check_transcript cyl_default 'a h n' utf8
check_transcript scara_default 'b g n' utf8
check_transcript scara_default 'b g n' cp932 --encoding cp932
check_transcript cyl_default_en 'a h n' utf8 --lang en
check_transcript scara_default_en 'b g n' cp932 --lang en --encoding cp932
echo PASS
