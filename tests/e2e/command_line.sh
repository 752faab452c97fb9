#!/usr/bin/env bash
# The command line of the installed program: --version, --help in both
# languages, a bad command line, and a --no-window run without any display.
set -u
APP=$1
BUILD=$(cd "$(dirname "$APP")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "FAIL: $*"
  for f in out err; do [ -s "$tmp/$f" ] && { echo "--- std$f ---"; tail -c 2000 "$tmp/$f"; }; done
  exit 1
}

VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
[ -n "$VERSION" ] || fail "no project version in $BUILD/CMakeCache.txt"
cmake --install "$BUILD" --prefix "$tmp/prefix" >/dev/null 2>&1 || fail "cmake --install failed"
TOCSIM=$tmp/prefix/bin/tocsim

# Runs the installed program without a display, console input from $1.
run() {
  local input=$1
  shift
  printf '%s' "$input" | env -u DISPLAY LC_ALL=C.UTF-8 timeout 20 "$TOCSIM" "$@" \
    >"$tmp/out" 2>"$tmp/err"
  status=$?
}

run '' --version
[ "$status" = 0 ] || fail "--version gave status $status"
[ "$(cat "$tmp/out")" = "tocsim $VERSION" ] || fail "--version printed: $(head -c 200 "$tmp/out")"
[ -s "$tmp/err" ] && fail "--version wrote to stderr"

run '' --help
[ "$status" = 0 ] || fail "--help gave status $status"
grep -q '^使い方: tocsim' "$tmp/out" || fail "--help is not the Japanese help"
grep -qF -- '--no-window' "$tmp/out" || fail "--help does not name --no-window"

run '' --lang en --help
[ "$status" = 0 ] || fail "--lang en --help gave status $status"
grep -q '^Usage: tocsim' "$tmp/out" || fail "--lang en --help is not the English help"
grep -q '^Exit status:' "$tmp/out" || fail "English help has no exit statuses"

# A bad command line: one line on stderr, nothing on stdout, status 2, and the
# dialogue never starts (it would wait for input, which is there).
for args in "--bogus" "--lang fr" "--csv" "stray" "--help=1"; do
  # shellcheck disable=SC2086
  run 'a h n' $args
  [ "$status" = 2 ] || fail "'$args' gave status $status"
  [ -s "$tmp/out" ] && fail "'$args' printed on stdout"
  [ "$(wc -l <"$tmp/err")" = 1 ] || fail "'$args' did not give exactly one line on stderr"
  grep -qF -- "--help" "$tmp/err" || fail "'$args': the error line does not point to --help"
done

# --no-window: the whole dialogue, up to the line that announces the window,
# then status 0 with no display at all.
run 'a h n' --no-window
[ "$status" = 0 ] || fail "--no-window run gave status $status"
grep -qF '計算終了' "$tmp/out" || fail "--no-window run did not compute"
grep -qx '描画画面へ *' "$tmp/out" || fail "--no-window run did not reach the window line"
grep -qF 'コンソール入力が終わりました' "$tmp/out" && fail "--no-window run ran out of input"
echo PASS
