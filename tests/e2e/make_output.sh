#!/usr/bin/env bash
# What `make program` and `make run` print in the source folder: the build's
# progress without make's "Entering/Leaving directory" lines, and with
# `make run` the program's own output last, nothing of the build after it.
# Both work on the release build in build/ of the folder this script is in
# (up to date after `make test`, so nothing is rebuilt); the binary given as $1
# is not used.
source "$(dirname "$0")/lib.bash"
SRC=$(cd "$(dirname "$0")/../.." && pwd)

# As a person types it in a shell: no make above us, no flags handed down by
# one (ctest may run under `make test`); PACKAGES= keeps `deps` from apt-get.
make_here() {
  (cd "$SRC" && env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL -u MAKEOVERRIDES LC_ALL=C.UTF-8 \
    make "$@" PACKAGES= 2>&1)
}
chatter() { grep -E 'Entering directory|Leaving directory' "$1" | head -n 3; }

make_here program >"$E2E_TMP/program.txt" || { cat "$E2E_TMP/program.txt"; fail "make program failed"; }
grep -q 'Built target tocsim' "$E2E_TMP/program.txt" ||
  { cat "$E2E_TMP/program.txt"; fail "make program shows no build progress"; }
lines=$(chatter "$E2E_TMP/program.txt")
[ -z "$lines" ] || fail "make program prints make's directory lines: $lines"

# The program starts with its first questions and ends when the input (none)
# ends; a display is there so that it does not stop before asking.
start_display
(cd "$E2E_TMP" && env LC_ALL=C.UTF-8 "$SRC/build/tocsim" </dev/null >"$E2E_TMP/direct.txt" 2>&1)
[ -s "$E2E_TMP/direct.txt" ] || fail "the program printed nothing"
make_here run </dev/null >"$E2E_TMP/run.txt" && fail "make run succeeded with no input"
lines=$(chatter "$E2E_TMP/run.txt")
[ -z "$lines" ] || fail "make run prints make's directory lines: $lines"
grep -q 'Built target tocsim' "$E2E_TMP/run.txt" || { cat "$E2E_TMP/run.txt"; fail "make run shows no build progress"; }
# Only make's own line about the program's exit status may follow the program.
grep -v -E '^g?make: \*\*\* \[.*run\] Error 1$' "$E2E_TMP/run.txt" >"$E2E_TMP/run-body.txt"
body=$(wc -c <"$E2E_TMP/run-body.txt")
own=$(wc -c <"$E2E_TMP/direct.txt")
[ "$body" -gt "$own" ] || fail "make run printed less than the program alone"
tail -c "$own" "$E2E_TMP/run-body.txt" | cmp -s - "$E2E_TMP/direct.txt" ||
  { tail -n 5 "$E2E_TMP/run.txt"; fail "make run does not end with the program's own output"; }
echo PASS
