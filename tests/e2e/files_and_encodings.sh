#!/usr/bin/env bash
# What a run ends with: a --csv file that cannot be written fails the run
# (status 1, the line on standard error too) in every way it can fail; English
# on a terminal that is not UTF-8 is plain ASCII; on a terminal the last line
# is ended, in a pipe the output is exactly what was written.
set -u
APP=$1
tmp=$(mktemp -d)
mounted=()
cleanup() {
  for m in "${mounted[@]}"; do umount "$m" 2>/dev/null; done
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  for f in out err; do [ -s "$tmp/$f" ] && { echo "--- std$f ---"; tail -c 1500 "$tmp/$f"; }; done
  exit 1
}

# A --no-window run of the default cylindrical task, from the folder $tmp/work.
run() {
  mkdir -p "$tmp/work"
  (cd "$tmp/work" && printf 'a h n' | env -u DISPLAY "$@" >"$tmp/out" 2>"$tmp/err")
  status=$?
}

# ---- --csv ----
run LC_ALL=C.UTF-8 timeout 20 "$APP" --no-window --csv fresh.csv
[ "$status" = 0 ] || fail "a written --csv file gave status $status"
[ "$(wc -l <"$tmp/work/fresh.csv")" = 202 ] || fail "--csv did not write the records"
[ -s "$tmp/err" ] && fail "a written --csv file said something on standard error"

# Each way of failing: status 1, the dialogue still ran to its end, and the
# line on standard error as well as in the dialogue.
csv_fails() {
  local what=$1 path=$2
  run LC_ALL=C.UTF-8 timeout 20 "$APP" --no-window --csv "$path"
  [ "$status" = 1 ] || fail "--csv $what: status $status"
  grep -qF "描画画面へ" "$tmp/out" || fail "--csv $what: the dialogue did not run to its end"
  grep -qF "保存できませんでした: cannot write $path" "$tmp/out" || fail "--csv $what: no line in the dialogue"
  grep -qxF "保存できませんでした: cannot write $path$3" "$tmp/err" || fail "--csv $what: no line on standard error"
}
echo "keep me" >"$tmp/work/mine.csv"
csv_fails "over a file that was there" mine.csv ": File exists"
[ "$(cat "$tmp/work/mine.csv")" = "keep me" ] || fail "a user's file was changed"
csv_fails "in a missing folder" nowhere/out.csv ": No such file or directory"

# A read-only folder and a full disk need mounts of our own (root only; root
# ignores permissions, so a mode bit would not do).
if [ "$(id -u)" = 0 ] && mkdir -p "$tmp/work/ro" "$tmp/work/full" &&
   mount -t tmpfs -o size=64k tmpfs "$tmp/work/ro" 2>/dev/null; then
  mounted+=("$tmp/work/ro")
  mount -o remount,ro "$tmp/work/ro" || fail "could not make the folder read-only"
  csv_fails "in a read-only folder" ro/out.csv ": Read-only file system"
  mount -t tmpfs -o size=8k tmpfs "$tmp/work/full" || fail "could not mount a small disk"
  mounted+=("$tmp/work/full")
  csv_fails "on a full disk" full/out.csv ": No space left on device"
  [ -z "$(ls -A "$tmp/work/full")" ] || fail "a full disk kept part of a file: $(ls -A "$tmp/work/full")"
else
  echo "SKIP: read-only folder and full disk (no tmpfs mount here)"
fi

# ---- English on a terminal that is not UTF-8 ----
run LANG=C LC_ALL= LC_CTYPE= timeout 20 "$APP" --no-window --lang en
[ "$status" = 0 ] || fail "English under LANG=C: status $status"
LC_ALL=C grep -q '[^[:print:][:space:]]' "$tmp/out" && fail "English under LANG=C is not plain ASCII"
for word in tau1max= alpha1= Phi0 "(pi/2"; do
  grep -qF "$word" "$tmp/out" || fail "English under LANG=C does not spell out $word"
done
run LANG=C LC_ALL= LC_CTYPE= timeout 20 "$APP" --no-window --lang en --encoding utf8
grep -qF "τ1max=" "$tmp/out" || fail "--encoding utf8 did not keep the Greek letters"
run LANG=C LC_ALL= LC_CTYPE= timeout 20 "$APP" --no-window --lang en --encoding cp932
iconv -f CP932 -t UTF-8 "$tmp/out" | grep -qF "τ1max=" || fail "--encoding cp932 did not write CP932"
run LC_ALL=C.UTF-8 timeout 20 "$APP" --no-window --lang en
grep -qF "τ1max=" "$tmp/out" || fail "English under a UTF-8 locale is not UTF-8"

# ---- The last line on a terminal ----
(cd "$tmp/work" && env -u DISPLAY LC_ALL=C.UTF-8 script -qec \
  "printf 'a h n' | timeout 20 '$APP' --no-window" /dev/null >"$tmp/out" 2>"$tmp/err")
[ "$(tail -c 2 "$tmp/out" | od -An -c | tr -d ' ')" = '\r\n' ] ||
  fail "on a terminal the run does not end with a line feed"
run LC_ALL=C.UTF-8 timeout 20 "$APP" --no-window
[ "$(tail -c 1 "$tmp/out")" = ' ' ] ||
  fail "in a pipe the output gained a line feed at its end"
echo PASS
