#!/usr/bin/env bash
# Runs the console-dialogue fuzz target: first every input of fuzz/corpus once
# (deterministic), then fuzzing for a bounded time with a fixed seed.
#   fuzz/run.sh [SECONDS] [extra libFuzzer flags...]      (default 60 s)
# Builds the target with the CMake preset "fuzz" (clang, libFuzzer, ASan, UBSan)
# in build-fuzz/. The fuzzer works on a copy of the corpus in build-fuzz/corpus,
# so the checkout is never written; findings go to build-fuzz/artifacts/.
# Exit status: 0 when nothing was found, non-zero on any crash, sanitizer
# report, broken invariant, timeout or memory blow-up.
# TOCSIM_FUZZ_STRICT=1 adds one more invariant (a reported solution has finite
# motion records); an unknown robot key after infinite inputs breaks it.
# TOCSIM_FUZZ_SEED sets the seed (default 20261207).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
OUT="$ROOT/build-fuzz"
SECONDS_BUDGET=${1:-60}
shift || true
SEED=${TOCSIM_FUZZ_SEED:-20261207}
BIN="$OUT/dialogue_fuzz"

command -v clang++ >/dev/null || { echo "run.sh: clang++ not found (apt-get install clang libclang-rt-14-dev)" >&2; exit 2; }
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc 2>/dev/null || echo 2)"

rm -rf "$OUT/corpus"
mkdir -p "$OUT/corpus" "$OUT/artifacts"
cp "$ROOT"/fuzz/corpus/* "$OUT/corpus/"

# Leaks are reported (LeakSanitizer is on by default under libFuzzer); a
# failing UBSan check aborts with its stack.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0}

# A failed solve can take 0.2 s in this build and one answer per retry starts
# another: 256 bytes bound an input to well under the 60 s that count as a hang.
FLAGS=(-timeout=60 -max_len=256 -rss_limit_mb=2048 -dict="$ROOT/fuzz/dialogue.dict"
       -artifact_prefix="$OUT/artifacts/")

echo "replaying $(ls "$ROOT"/fuzz/corpus | wc -l) corpus inputs once each"
"$BIN" "${FLAGS[@]}" "$ROOT"/fuzz/corpus/*

echo "fuzzing for ${SECONDS_BUDGET}s with -seed=$SEED: $BIN"
status=0
"$BIN" -seed="$SEED" -max_total_time="$SECONDS_BUDGET" "${FLAGS[@]}" -print_final_stats=1 \
  "$@" "$OUT/corpus" || status=$?

if [ "$status" != 0 ]; then
  echo "FINDING (status $status); reproduce with: $BIN $OUT/artifacts/<file>" >&2
  ls -l "$OUT/artifacts" >&2
fi
exit "$status"
