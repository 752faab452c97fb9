#!/usr/bin/env bash
# --sweep FILE of the real binary for the four default tasks: 80 ratios, each
# with a motion; spot checks of tf and tfm against runs with those ratios
# typed (their --json line, to the CSV's 10 digits); a file that was there
# before, or a missing folder, fails the run with status 1 and leaves it.
set -u
APP=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "FAIL: $*"
  for f in out err; do [ -s "$tmp/$f" ] && { echo "--- std$f ---"; tail -c 1500 "$tmp/$f"; }; done
  exit 1
}
run() {
  (cd "$tmp" && printf 'n\n' |
    env -u DISPLAY LC_ALL=C.UTF-8 timeout 60 "$APP" --no-window --lang en "$@" >"$tmp/out" 2>"$tmp/err")
  status=$?
}
command -v python3 >/dev/null || { echo "SKIP: no python3"; echo PASS; exit 0; }

for task in "a h" "a g" "b h" "b g"; do
  set -- $task
  robot=$1 gravity=$2
  csv="$tmp/sweep-$robot$gravity.csv"
  run --robot "$robot" --gravity "$gravity" --sweep "$csv"
  [ "$status" = 0 ] || fail "$task: status $status"
  # The task's own ratios, then two ratios of each axis typed.
  read -r u1 u2 < <(python3 - "$csv" <<'PY'
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1])))
assert [r["axis"] for r in rows] == ["1"] * 40 + ["2"] * 40, "axes"
assert all(r["found"] == "1" and float(r["tf"]) > 0 for r in rows), "a ratio without a motion"
us = [float(r["u"]) for r in rows[:40]]
assert us[0] == 1 and us[-1] == 300 and us == sorted(us), "ratios"
print(rows[0]["u"], rows[40]["u"])
PY
) || fail "$task: the sweep file: $(python3 - "$csv" 2>&1 </dev/null | tail -1)"
  for pick in "1 7" "1 30" "2 12" "2 38"; do
    set -- $pick
    axis=$1 i=$2
    line=$(sed -n "$((2 + (axis - 1) * 40 + i))p" "$csv")
    u=$(echo "$line" | cut -d, -f2)
    # The other joint keeps the task's ratio (30, as the defaults have it).
    if [ "$axis" = 1 ]; then ratios="$u,30"; else ratios="30,$u"; fi
    rm -f "$tmp/j.json"
    run --robot "$robot" --gravity "$gravity" --ratios "$ratios" --json "$tmp/j.json"
    [ "$status" = 0 ] || fail "$task $ratios: status $status"
    python3 - "$tmp/j.json" "$line" <<'PY' || fail "$task $ratios: $line against $(cat "$tmp/j.json")"
import json, sys
o = json.loads(open(sys.argv[1]).read().splitlines()[-1])
axis, u, tf, tfm, found = sys.argv[2].split(",")
assert o["found"] and found == "1"
assert "%.10g" % o["tf"] == tf, (o["tf"], tf)
assert "%.10g" % o["tfm"] == tfm, (o["tfm"], tfm)
PY
  done
done

# A file that is there stays as it was; a missing folder fails too.
echo mine >"$tmp/taken.csv"
run --robot a --gravity h --sweep "$tmp/taken.csv"
[ "$status" = 1 ] || fail "an existing file: status $status"
[ "$(cat "$tmp/taken.csv")" = mine ] || fail "an existing file was changed"
grep -q "Not saved: .*taken.csv" "$tmp/err" || fail "no line on standard error"
run --robot a --gravity h --sweep "$tmp/missing/s.csv"
[ "$status" = 1 ] || fail "a missing folder: status $status"
[ -e "$tmp/missing" ] && fail "a missing folder was made"
echo PASS
