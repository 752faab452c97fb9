#!/usr/bin/env bash
# --json FILE of the real binary: one line of strict JSON per computation,
# found or not, read by Python's json module (NaN and Infinity turned down);
# a file that was there before the run, or a missing folder, fails the run
# (status 1, the line on standard error too) and leaves the file as it was.
set -u
APP=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "FAIL: $*"
  for f in out err; do [ -s "$tmp/$f" ] && { echo "--- std$f ---"; tail -c 1500 "$tmp/$f"; }; done
  exit 1
}

# A --no-window run with the given console input, from the folder $tmp/work.
run() {
  local input=$1
  shift
  mkdir -p "$tmp/work"
  (cd "$tmp/work" && printf '%s' "$input" |
    env -u DISPLAY LC_ALL=C.UTF-8 timeout 30 "$APP" --no-window "$@" >"$tmp/out" 2>"$tmp/err")
  status=$?
}

# Checks every line of a file against the expectations given as Python
# expressions of `lines` (the decoded objects); prints what failed on stdout.
check_lines() {
  local file=$1
  shift
  python3 - "$file" "$@" 2>&1 <<'EOF'
import json, sys

def no_constant(name):
    raise ValueError("not JSON: " + name)

path, checks = sys.argv[1], sys.argv[2:]
raw = open(path, "rb").read()
if not raw.endswith(b"\n"):
    sys.exit("the last line is not ended")
lines = []
for n, text in enumerate(raw.decode("ascii").split("\n")[:-1], 1):
    try:
        lines.append(json.loads(text, parse_constant=no_constant))
    except ValueError as e:
        sys.exit("line %d: %s: %s" % (n, e, text))
order = ["robot", "gravity", "ratios", "start", "goal", "found", "method", "tf", "tfm",
         "first_sign", "switches", "singular", "end_error", "costate_end"]
for n, o in enumerate(lines, 1):
    keys = [k for k in o if k != "elbow"]
    if keys != order:
        sys.exit("line %d: fields %s" % (n, list(o)))
for c in checks:
    if not eval(c):
        sys.exit("not so: " + c + "\n" + json.dumps(lines))
EOF
}

command -v python3 >/dev/null || { echo "SKIP: no python3 to read the JSON"; echo PASS; exit 0; }

# ---- One computation, found by the passes ----
run 'a h n' --json runs.jsonl
[ "$status" = 0 ] || fail "a written --json file gave status $status"
[ -s "$tmp/err" ] && fail "a written --json file said something on standard error"
msg=$(check_lines "$tmp/work/runs.jsonl" 'len(lines) == 1' \
  'lines[0]["robot"] == "a" and lines[0]["gravity"] == "h"' \
  'lines[0]["ratios"] == [30, 30] and lines[0]["start"] == [0.8, 0] and lines[0]["goal"] == [0, 0.8]' \
  'lines[0]["found"] is True and lines[0]["method"] == "passes"' \
  'abs(lines[0]["tf"] - 1.654) < 1e-3 and lines[0]["first_sign"] == [1, -1]' \
  '[len(s) for s in lines[0]["switches"]] == [1, 2] and lines[0]["singular"] == []' \
  'lines[0]["switches"][1] == sorted(lines[0]["switches"][1])' \
  '"elbow" not in lines[0] and 0 <= lines[0]["end_error"] < 1e-3' \
  'len(lines[0]["costate_end"]) == 4') || fail "one computation: $msg"
# The console's own line of tf carries the same time.
tf=$(python3 -c 'import json,sys; print("%.4f" % json.loads(open(sys.argv[1]).readline())["tf"])' \
  "$tmp/work/runs.jsonl")
grep -qF "$tf)[s]" "$tmp/out" || fail "tf $tf is not the console's positioning time"
rm "$tmp/work/runs.jsonl"

# ---- A failed computation, then a found one: two lines; --csv beside it ----
run $'a h y y 0 0\nh n y a y 30 30\nh n' --json runs.jsonl --csv runs.csv
[ "$status" = 0 ] || fail "a failed then found computation gave status $status"
msg=$(check_lines "$tmp/work/runs.jsonl" 'len(lines) == 2' \
  'lines[0]["found"] is False and lines[0]["ratios"] == [0, 0]' \
  'all(lines[0][k] is None for k in ("method", "tf", "first_sign", "switches", "singular", "end_error", "costate_end"))' \
  'lines[1]["found"] is True and lines[1]["ratios"] == [30, 30]') || fail "two computations: $msg"
[ "$(wc -l <"$tmp/work/runs.csv")" = 202 ] || fail "--csv beside --json did not write the records"
rm "$tmp/work/runs.jsonl" "$tmp/work/runs.csv"

# ---- The direct method: an arc inside the limits ----
run $'a h y z h y 0.8 0 -0.8 0.01\n' --json half-turn.jsonl
[ "$status" = 0 ] || fail "the half turn gave status $status"
msg=$(check_lines "$tmp/work/half-turn.jsonl" 'len(lines) == 1 and lines[0]["method"] == "direct"' \
  'len(lines[0]["singular"]) == 1 and lines[0]["singular"][0]["joint"] == 1' \
  'lines[0]["singular"][0]["from"] == lines[0]["switches"][0][0]' \
  'lines[0]["singular"][0]["to"] == lines[0]["switches"][0][1]' \
  'lines[0]["first_sign"] == [1, -1] and lines[0]["switches"][1] == []') ||
  fail "the direct method: $msg"

# ---- SCARA: the elbow right after the goal ----
run 'b g n' --json scara.jsonl
[ "$status" = 0 ] || fail "the SCARA run gave status $status"
msg=$(check_lines "$tmp/work/scara.jsonl" 'list(lines[0])[5] == "elbow" and lines[0]["elbow"] == 1' \
  'lines[0]["robot"] == "b" and lines[0]["gravity"] == "g"') || fail "SCARA: $msg"

# ---- Each way of failing: status 1, the dialogue ran to its end, the line
# on standard error as well as in the dialogue ----
json_fails() {
  local what=$1 path=$2 reason=$3
  run 'a h n' --json "$path"
  [ "$status" = 1 ] || fail "--json $what: status $status"
  grep -qF "描画画面へ" "$tmp/out" || fail "--json $what: the dialogue did not run to its end"
  grep -qF "保存できませんでした: cannot write $path" "$tmp/out" || fail "--json $what: no line in the dialogue"
  grep -qxF "保存できませんでした: cannot write $path$reason" "$tmp/err" ||
    fail "--json $what: no line on standard error"
}
echo "keep me" >"$tmp/work/mine.jsonl"
json_fails "over a file that was there" mine.jsonl ": File exists"
[ "$(cat "$tmp/work/mine.jsonl")" = "keep me" ] || fail "a user's file was changed"
json_fails "in a missing folder" nowhere/runs.jsonl ": No such file or directory"
[ -e "$tmp/work/nowhere" ] && fail "a missing folder was made"
# No temporary file is left behind in the working folder.
left=$(ls -A "$tmp/work" | grep -v -x -e mine.jsonl -e half-turn.jsonl -e scara.jsonl)
[ -z "$left" ] || fail "files left behind: $left"

# ---- The command line ----
run '' --json
[ "$status" = 2 ] || fail "--json without a file gave status $status"
grep -qF -- "'--json'" "$tmp/err" || fail "--json without a file: no line naming it"
echo PASS
