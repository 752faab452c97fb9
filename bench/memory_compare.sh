#!/usr/bin/env bash
# Peak memory (resident set size) of a tocsim session stepped to the last
# sample, next to a bare GLUT program that shows the same 800 x 800 window.
#
#   bench/memory_compare.sh [TOCSIM] [RUNS]
#     TOCSIM  the binary to measure (default: build/tocsim of this checkout)
#     RUNS    runs per program, the median is reported (default 5)
#   BENCH_OUT (environment) where the helpers are built (default: build-bench/)
#   MEMORY_STEPS (environment) key presses of 's' (default 200, the last sample
#                of the default task)
#   GALLIUM_DRIVER (environment) Mesa's software renderer (llvmpipe unless set)
#
# Both programs run under an Xvfb display of their own with
# bench/memory_last_sample.c preloaded. tocsim gets a console that answers
# a, h, n (cylindrical robot, no gravity, no changes), so it runs its whole
# start-up and opens its window; at its first frame the hook presses 's'
# through tocsim's own keyboard callback until the last sample is shown (every
# press draws and presents a whole frame), then reads the peak resident set
# size (VmHWM) and ends the process. The bare program (bench/startup_minimal.cpp)
# is measured the same way at its first frame. Prints both peaks and the ratio.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
APP=${1:-"$ROOT/build/tocsim"}
RUNS=${2:-5}
OUT=${BENCH_OUT:-"$ROOT/build-bench"}

source "$ROOT/bench/bench_lib.bash"
bench_setup memory_compare "$ROOT/bench/memory_last_sample.c"

printf 'a\nh\nn\n' >"$tmp/answers"

# Peak resident set size in kB of one run of a command with the hook preloaded.
peak_of() {
  local cmd=$1 status=0
  rm -f "$tmp/peak"
  MEMORY_PEAK_OUT="$tmp/peak" LD_PRELOAD="$HOOK" bash -c "$cmd" >"$tmp/run.out" 2>&1 || status=$?
  [ "$status" = 0 ] && [ -s "$tmp/peak" ] ||
    die "run did not reach its measurement (status $status): $cmd: $(tail -c 500 "$tmp/run.out")"
  cat "$tmp/peak"
}

median_peak() {
  local cmd=$1 i
  for i in $(seq 1 "$RUNS"); do peak_of "$cmd"; done |
    sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}

CMD_MINIMAL="exec $MINIMAL"
CMD_TOCSIM="exec $APP <$tmp/answers >/dev/null"
echo "display $DISPLAY; renderer ${GALLIUM_DRIVER:-llvmpipe (default)}; $RUNS runs each, median"
echo "  minimal: $CMD_MINIMAL (first frame)"
echo "  tocsim:  $CMD_TOCSIM (${MEMORY_STEPS:-200} presses of s)"
peak_minimal=$(median_peak "$CMD_MINIMAL")
peak_tocsim=$(median_peak "$CMD_TOCSIM")
awk -v m="$peak_minimal" -v t="$peak_tocsim" 'BEGIN {
  printf "peak RSS: minimal %.1f MiB, tocsim %.1f MiB, ratio tocsim/minimal = %.2f\n",
         m / 1024, t / 1024, t / m }'
