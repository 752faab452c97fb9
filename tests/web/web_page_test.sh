#!/usr/bin/env bash
# The web page against the desktop program: builds the page (make web), makes
# the desktop's transcripts, pictures and motion file for the same keys (the
# pictures and the file with the window's own p and x keys, under Xvfb), then
# drives the page in headless Chromium (web_page_test.py) and compares.
#   web_page_test.sh <source folder> <desktop tocsim>
# Exit status 77 (skipped) only where Chromium or its driver cannot be had.
source "$(dirname "$0")/../e2e/lib.bash"
TOP=$1
APP=$2

for need in /usr/bin/chromium /usr/bin/chromedriver /usr/bin/emcc; do
  [ -x "$need" ] || { echo "SKIPPED: $need is not installed (make deps installs it)"; exit 77; }
done
/usr/bin/python3 -c 'import selenium, PIL' 2>/dev/null ||
  { echo "SKIPPED: python3-selenium or python3-pil is not installed (make deps installs them)"; exit 77; }

# The page, built as `make web` builds it (incrementally; the make that runs
# the tests does not lend this one its job slots).
env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -C "$TOP" --no-print-directory web >"$E2E_TMP/web-build.log" 2>&1 ||
  { tail -n 30 "$E2E_TMP/web-build.log"; fail "make web failed"; }
PAGE=$TOP/build-web
# tocsim.data: the lesson view's font, loaded with the page.
for f in index.html tocsim.js tocsim.wasm tocsim.data; do [ -s "$PAGE/$f" ] || fail "the page has no $f"; done
extra=$(ls -A "$PAGE" | grep -vxE 'index\.html|tocsim\.js|tocsim\.wasm|tocsim\.data')
[ -z "$extra" ] || fail "the page's folder holds more than the page: $extra"

# What a browser loads: at most 700 kB, at most 350 kB as the files gzip-compressed.
raw=0 packed=0
for f in "$PAGE"/*; do
  echo "  $(basename "$f"): $(wc -c <"$f") bytes, $(gzip -9c "$f" | wc -c) gzip-compressed"
  raw=$((raw + $(wc -c <"$f")))
  packed=$((packed + $(gzip -9c "$f" | wc -c)))
done
echo "the page: $raw bytes, $packed bytes gzip-compressed"
[ "$raw" -le 716800 ] || fail "the page is $raw bytes, more than 700 kB"
[ "$packed" -le 358400 ] || fail "the page is $packed bytes gzip-compressed, more than 350 kB"
# tocsim.data is the one file it preloads, the lesson font cut down to the
# characters the views draw: each drawn as in the full font.
/usr/bin/python3 "$(dirname "$0")/lesson_font_check.py" /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
  "$PAGE/tocsim.data" || fail "the page's lesson font differs from DejaVu Sans"

EXPECTED=$E2E_TMP/expected
mkdir -p "$EXPECTED"

# Transcripts of the console dialogue without a window.
transcript() {
  local name=$1 input=$2
  shift 2
  printf '%s' "$input" | env -u DISPLAY LC_ALL=C.UTF-8 timeout 30 "$APP" --no-window "$@" >"$EXPECTED/$name.txt" ||
    fail "the desktop program failed on $name"
}
transcript default_ja $'a\nh\nn\n'
transcript cyl_change_en $'a\nh\ny\ny\n40 35\ng\ny\n0.6 0.1 0.2 0.7\n' --lang en
transcript scara_change_ja $'b\nh\ny\ny\n40 35\nh\ny\n0.6 0.1 0.2 0.7\n2\n'
# An end point out of reach, then n after the failed solve: the program ends.
transcript unreachable_ja $'b\nh\ny\nz\nh\ny\n0.8 0 0 1.0\n1\nx\nx\nn\n'
# Answered with the page's answer buttons and number field.
transcript cyl_change_ja $'a\nh\ny\ny\n40 35\ng\ny\n0.6 0.1 0.2 0.7\n'
# The goal dragged to (0.2, 0.8) with a finger: the report of typing that point.
transcript drag_typed_ja $'a\nh\ny\nz\nh\ny\n0.8 0 0.2 0.8\n'
# Tasks given in the page's address, and one with a value it cannot use
# (robot=c): the answers the page types for them.
transcript task_a_ja $'a\ng\ny\ny\n25 35\ng\ny\n0.6 0.1 0.2 0.7\n'
transcript task_b_en $'b\nh\ny\ny\n40 35\nh\ny\n0.6 0.1 0.2 0.7\n2\n' --lang en
transcript bad_link_ja $'a\nh\ny\ny\n25 35\nh\nn\n'

# Motions of other switching structures, found by the direct method: the
# cylindrical robot's half turn and the goal dragged to (-0.40, 0.21) (arcs
# inside the torque limits), and a SCARA task where the direct method beats
# the two Newton passes. Each with the desktop's solve time, from the last
# answer to the line that ends the computation, for the page's to be held
# against: <name> <seconds> per line.
general() {
  local name=$1 answers=$2 prompt=$3 last=$4 finished=$5 seconds
  shift 5
  transcript "$name" "$answers$last" "$@"
  seconds=$(/usr/bin/python3 "$(dirname "$0")/solve_time.py" "$APP" "$answers" "$prompt" "$last" "$finished" "$@") ||
    fail "the desktop's solve time of $name could not be measured"
  echo "$name $seconds" >>"$EXPECTED/solve_times.txt"
}
general half_turn_ja $'a\nh\ny\nz\nh\ny\n' 'x0 y0 xf yf=' $'0.8 0 -0.8 0.01\n' '計算終了'
general dragged_goal_ja $'a\nh\ny\nz\nh\ny\n' 'x0 y0 xf yf=' $'0.8 0 -0.4 0.21\n' '計算終了'
general scara_direct_en $'b\nh\ny\nz\nh\ny\n0.3 -0.6 -0.5 0.4\n' 'Elbow down: 1' $'1\n' 'Computation finished' --lang en
# The desktop's whole gear-ratio sweep of each default task (--sweep, with
# the start-up's own solve): sweep_<robot><gravity> <seconds>, best of two.
for task in ah ag bh bg; do
  best=""
  for _ in 1 2; do
    rm -f "$E2E_TMP/sweep.csv"
    start=$(date +%s.%N)
    printf 'n\n' | "$APP" --no-window --robot "${task:0:1}" --gravity "${task:1:1}" \
      --sweep "$E2E_TMP/sweep.csv" >/dev/null 2>&1 || fail "the desktop's sweep of $task failed"
    took=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f", b - a }')
    best=$(awk -v t="$took" -v b="${best:-$took}" 'BEGIN { print (t < b ? t : b) }')
  done
  echo "sweep_$task $best" >>"$EXPECTED/solve_times.txt"
done
grep -q '直接法で求めた' "$EXPECTED/half_turn_ja.txt" && grep -q '特異アーク' "$EXPECTED/half_turn_ja.txt" ||
  fail "the half turn is no longer a motion with an arc found by the direct method"
grep -q '特異アーク' "$EXPECTED/dragged_goal_ja.txt" || fail "the dragged goal's motion has no arc any more"
grep -q 'the two Newton passes gave tf = .*a faster motion was found by the direct method' \
  "$EXPECTED/scara_direct_en.txt" || fail "the SCARA task's passes no longer give the slower motion"

# The desktop window's pictures of the first and last samples and its motion
# file, kept by its own keys; the console says where they went.
start_display
desktop_session() {
  local robot=$1 n
  rm -rf "$E2E_TMP/work" "$E2E_TMP/in"
  start_app "$APP"
  say "$robot"$'\nh\nn\n'
  wait_output "描画画面へ       "
  wid=$(find_window) || fail "no desktop window appeared"
  press "$wid" Home p
  wait_file "tocsim-$robot-0000.png" >/dev/null || fail "the desktop kept no first picture"
  press "$wid" End p x
  wait_file "tocsim-$robot-h.csv" >/dev/null || fail "the desktop kept no motion"
  for _ in $(seq 1 200); do
    n=$(ls "$E2E_TMP/work" | grep -c "^tocsim-$robot-.*\.png$")
    [ "$n" = 2 ] && break
    sleep 0.05
  done
  [ "$n" = 2 ] || fail "the desktop kept no last picture"
  wait_output "tocsim-$robot-h.csv"
  press "$wid" Escape
  wait_exit
  exec 3>&-
  mkdir -p "$EXPECTED/$robot"
  cp "$E2E_TMP/work"/tocsim-* "$EXPECTED/$robot/"
  cp "$E2E_TMP/out" "$EXPECTED/$robot/console.txt"
}
desktop_session a
desktop_session b

# The lesson view's pictures of the first and last samples (--view lesson),
# kept by the window's p key.
desktop_lesson() {
  local robot=$1 n
  rm -rf "$E2E_TMP/work" "$E2E_TMP/in"
  start_app "$APP" --view lesson
  say "$robot"$'\nh\nn\n'
  wait_output "描画画面へ       "
  wid=$(find_window) || fail "no desktop window appeared in the lesson view"
  press "$wid" Home p
  wait_file "tocsim-$robot-0000.png" >/dev/null || fail "the desktop kept no first lesson picture"
  press "$wid" End p
  for _ in $(seq 1 200); do
    n=$(ls "$E2E_TMP/work" | grep -c "^tocsim-$robot-.*\.png$")
    [ "$n" = 2 ] && break
    sleep 0.05
  done
  [ "$n" = 2 ] || fail "the desktop kept no last lesson picture"
  # The console names a file once it is written.
  wait_count "tocsim-$robot-" 2 || fail "the desktop never named its last lesson picture"
  press "$wid" Escape
  wait_exit
  exec 3>&-
  mkdir -p "$EXPECTED/lesson-$robot"
  cp "$E2E_TMP/work"/tocsim-*.png "$EXPECTED/lesson-$robot/"
}
desktop_lesson a
desktop_lesson b

# The pictures of the address's tasks at the time they name: the same
# answers, then s up to that sample and p.
desktop_task() {
  local name=$1 answers=$2 sample=$3 robot=$4
  shift 4
  rm -rf "$E2E_TMP/work" "$E2E_TMP/in"
  start_app "$APP" "$@"
  say "$answers"
  for _ in $(seq 1 400); do
    grep -qE "描画画面へ       |To the drawing window       " "$E2E_TMP/out" && break
    sleep 0.05
  done
  wid=$(find_window) || fail "no desktop window appeared for $name"
  press "$wid" Home
  [ "$sample" = 0 ] || press "$wid" $(yes s | head -n "$sample")
  press "$wid" p
  wait_file "tocsim-$robot-$(printf %04d "$sample").png" >/dev/null || fail "the desktop kept no picture of $name"
  wait_count "tocsim-$robot-" 1 || fail "the desktop never named the picture of $name"
  press "$wid" Escape
  wait_exit
  exec 3>&-
  mkdir -p "$EXPECTED/$name"
  cp "$E2E_TMP/work"/tocsim-*.png "$EXPECTED/$name/"
}
desktop_task task_a_ja $'a\ng\ny\ny\n25 35\ng\ny\n0.6 0.1 0.2 0.7\n' 60 a
desktop_task task_b_en $'b\nh\ny\ny\n40 35\nh\ny\n0.6 0.1 0.2 0.7\n2\n' 25 b --lang en
kill "$XVFB_PID" 2>/dev/null
XVFB_PID=""

# TOCSIM_WEB_KEEP=<folder>: what the browser showed and kept, and what the
# desktop made, for a look after the run.
# Headless Chromium draws without X: the display, gone by now, is not its.
status=0
env -u DISPLAY /usr/bin/python3 "$(dirname "$0")/web_page_test.py" "$PAGE" "$EXPECTED" "$E2E_TMP/browser" || status=1
[ -n "${TOCSIM_WEB_KEEP:-}" ] && mkdir -p "$TOCSIM_WEB_KEEP" && cp -r "$E2E_TMP/browser" "$EXPECTED" "$TOCSIM_WEB_KEEP/"
[ "$status" = 0 ] || fail "the page differs from the desktop program"
echo PASS
