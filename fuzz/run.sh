#!/usr/bin/env bash
# Runs the console-dialogue fuzz target for a bounded time.
#   fuzz/run.sh [SECONDS] [extra libFuzzer flags...]      (default 60 s)
# Builds the target first when it is missing or older than a source file.
# The fuzzer works on a copy of fuzz/corpus in $FUZZ_OUT/corpus (default
# build-fuzz/), so the checkout is never written; findings are written to
# $FUZZ_OUT/artifacts/. Exit status: 0 when nothing was found, non-zero on any
# crash, sanitizer report, broken invariant, timeout or memory blow-up.
# TOCSIM_FUZZ_STRICT=1 adds one more invariant (a reported solution has finite
# motion records); an unknown robot key after infinite inputs breaks it.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${FUZZ_OUT:-"$ROOT/build-fuzz"}
SECONDS_BUDGET=${1:-60}
shift || true
BIN="$OUT/dialogue_fuzz"

stale=1
if [ -x "$BIN" ]; then
  stale=$(find "$ROOT/src" "$ROOT/fuzz" \( -name '*.cpp' -o -name '*.h' -o -name 'build.sh' \) \
            -newer "$BIN" -print -quit | wc -l)
fi
if [ "$stale" != 0 ]; then "$ROOT/fuzz/build.sh" "$OUT"; fi

mkdir -p "$OUT/corpus" "$OUT/artifacts"
cp "$ROOT"/fuzz/corpus/* "$OUT/corpus/"

# Leaks are reported (LeakSanitizer is on by default under libFuzzer); a
# failing UBSan check aborts with its stack.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0}

echo "fuzzing for ${SECONDS_BUDGET}s: $BIN"
status=0
# A failed solve can take 0.2 s in this build and one answer per retry starts
# another: 256 bytes bound an input to well under the 60 s that count as a hang.
"$BIN" -max_total_time="$SECONDS_BUDGET" -timeout=60 -max_len=256 -rss_limit_mb=2048 \
  -dict="$ROOT/fuzz/dialogue.dict" -artifact_prefix="$OUT/artifacts/" \
  -print_final_stats=1 "$@" "$OUT/corpus" || status=$?

if [ "$status" != 0 ]; then
  echo "FINDING (status $status); reproduce with: $BIN $OUT/artifacts/<file>" >&2
  ls -l "$OUT/artifacts" >&2
fi
exit "$status"
