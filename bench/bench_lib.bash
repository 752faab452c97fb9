# What the whole-process comparisons share: the tocsim binary checked, the bare
# GLUT program and a preloaded hook built into $OUT, and an Xvfb display of
# their own (tests/e2e/lib.bash). Sourced after ROOT, APP and OUT are set;
#   bench_setup NAME HOOK_SOURCE
# sets APP (absolute), MINIMAL, HOOK and tmp, and exports LC_ALL.
die() { echo "$BENCH_NAME: $*" >&2; exit 1; }

bench_setup() {
  BENCH_NAME=$1
  local hook_src=$2 tool
  [ -x "$APP" ] || die "no tocsim binary at $APP (build it first, e.g. make build)"
  for tool in g++ cc Xvfb; do command -v "$tool" >/dev/null || die "$tool is needed"; done
  APP=$(cd "$(dirname "$APP")" && pwd)/$(basename "$APP")

  mkdir -p "$OUT"
  MINIMAL="$OUT/startup_minimal"
  HOOK="$OUT/$(basename "$hook_src" .c).so"
  if [ ! -x "$MINIMAL" ] || [ "$ROOT/bench/startup_minimal.cpp" -nt "$MINIMAL" ]; then
    g++ -std=c++20 -O2 -Wall -Wextra -o "$MINIMAL" "$ROOT/bench/startup_minimal.cpp" -lglut -lGL
  fi
  if [ ! -f "$HOOK" ] || [ "$hook_src" -nt "$HOOK" ]; then
    cc -O2 -Wall -Wextra -shared -fPIC -o "$HOOK" "$hook_src" -ldl -lGL -lX11
  fi

  source "$ROOT/tests/e2e/lib.bash"
  tmp=$E2E_TMP
  start_display
  export LC_ALL=C.UTF-8
}
