#!/usr/bin/env bash
# Start-up time of tocsim up to its first frame on the screen, next to a bare
# GLUT program that opens the same window and draws one cleared frame.
#
#   bench/startup_compare.sh [TOCSIM] [RUNS]
#     TOCSIM  the binary to measure (default: build/tocsim of this checkout)
#     RUNS    timed runs per program (default 30, after 3 warm-up runs)
#   BENCH_OUT (environment) where the helpers are built (default: build-bench/)
#   BENCH_TIMER=loop (environment) times with the date loop even when
#                    hyperfine is installed
#
# Both programs run under an Xvfb display of their own. tocsim gets a console
# that answers a, h, n (cylindrical robot, no gravity, no changes), so it runs
# its whole start-up: defaults, both reports, the solver and the feedback run,
# then the window. Neither program ends by itself after its first frame, so
# both are run with bench/startup_first_frame.c preloaded: it lets the first
# glutSwapBuffers happen, waits until the X server has the frame (glFinish,
# XSync) and ends the process there. Both therefore pay exactly the same, and
# a run's time is exec to first frame shown, with no polling delay. The timing
# is done by hyperfine when it is installed, otherwise by a loop of date calls
# (median reported).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
APP=${1:-"$ROOT/build/tocsim"}
RUNS=${2:-30}
OUT=${BENCH_OUT:-"$ROOT/build-bench"}

source "$ROOT/bench/bench_lib.bash"
bench_setup startup_compare "$ROOT/bench/startup_first_frame.c"

printf 'a\nh\nn\n' >"$tmp/answers"
CMD_MINIMAL="LD_PRELOAD=$HOOK $MINIMAL"
CMD_TOCSIM="LD_PRELOAD=$HOOK $APP <$tmp/answers >/dev/null"

# ---- Each program must reach its first frame (not end for another reason) ----
check() {
  local name=$1 cmd=$2 status=0
  rm -f "$tmp/mark"
  STARTUP_FIRST_FRAME_MARK="$tmp/mark" bash -c "$cmd" >"$tmp/check.out" 2>&1 || status=$?
  [ "$status" = 0 ] && [ -e "$tmp/mark" ] ||
    die "$name did not reach its first frame (status $status): $(tail -c 500 "$tmp/check.out")"
}
check minimal "$CMD_MINIMAL"
check tocsim "$CMD_TOCSIM"

echo "display $DISPLAY; $RUNS runs each"
echo "  minimal: $CMD_MINIMAL"
echo "  tocsim:  $CMD_TOCSIM"

mean_minimal="" mean_tocsim=""
if [ "${BENCH_TIMER:-}" != loop ] && command -v hyperfine >/dev/null; then
  hyperfine --warmup 3 --runs "$RUNS" --export-json "$tmp/times.json" \
    -n minimal "$CMD_MINIMAL" -n tocsim "$CMD_TOCSIM"
  # The two results in command order; times in seconds.
  means=$(grep -o '"mean": *[0-9.eE+-]*' "$tmp/times.json" | sed 's/.*: *//')
  mean_minimal=$(echo "$means" | sed -n 1p)
  mean_tocsim=$(echo "$means" | sed -n 2p)
else
  median_of_runs() {
    local cmd=$1 i t0 t1
    for i in 1 2 3; do bash -c "$cmd" >/dev/null 2>&1; done
    for i in $(seq 1 "$RUNS"); do
      t0=$(date +%s%N)
      bash -c "$cmd" >/dev/null 2>&1
      t1=$(date +%s%N)
      echo $(( t1 - t0 ))
    done | sort -n | awk '{ a[NR] = $1 } END { printf "%.6f\n", a[int((NR + 1) / 2)] / 1e9 }'
  }
  mean_minimal=$(median_of_runs "$CMD_MINIMAL")
  mean_tocsim=$(median_of_runs "$CMD_TOCSIM")
  echo "minimal: median $mean_minimal s"
  echo "tocsim:  median $mean_tocsim s"
fi

awk -v m="$mean_minimal" -v t="$mean_tocsim" 'BEGIN {
  printf "first frame: minimal %.1f ms, tocsim %.1f ms, ratio tocsim/minimal = %.2f\n",
         m * 1000, t * 1000, t / m }'
