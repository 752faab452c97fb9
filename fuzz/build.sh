#!/usr/bin/env bash
# Builds the console-dialogue fuzz target with clang, libFuzzer and the address
# and undefined-behaviour sanitizers.
#   fuzz/build.sh [OUT_DIR]     (default: build-fuzz at the top of the checkout)
# The binary is OUT_DIR/dialogue_fuzz; objects go to OUT_DIR/obj.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${1:-"$ROOT/build-fuzz"}
CXX=${CXX_FUZZ:-clang++}
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}

command -v "$CXX" >/dev/null || { echo "build.sh: $CXX not found (apt-get install clang libclang-rt-14-dev)" >&2; exit 2; }

SAN=(-fsanitize=fuzzer,address,undefined -fsanitize=float-cast-overflow -fno-sanitize-recover=all)
CXXFLAGS=(-std=c++20 -O2 -g -fno-omit-frame-pointer -ffp-contract=off -Wall -Wextra -I"$ROOT/src")

# The program logic without main and without the window's event loop; the
# drawing helpers come with the files that hold them (their OpenGL calls are
# linked but never made).
sources=()
for dir in console scenario robot toc fbc; do
  for f in "$ROOT"/src/$dir/*.cpp; do
    [ "$(basename "$f")" = main.cpp ] && continue
    sources+=("$f")
  done
done
sources+=("$ROOT/src/view/key_commands.cpp" "$ROOT/src/view/text.cpp"
          "$ROOT/src/view/graphs.cpp" "$ROOT/src/view/primitives.cpp"
          "$ROOT/fuzz/dialogue_fuzz.cpp")

mkdir -p "$OUT/obj"
# Objects built with other flags or another compiler are thrown away.
stamp="$CXX ${CXXFLAGS[*]} ${SAN[*]}"
if [ "$(cat "$OUT/flags" 2>/dev/null)" != "$stamp" ]; then
  rm -f "$OUT"/obj/*.o
  echo "$stamp" >"$OUT/flags"
fi
# Objects are named after their path below the checkout, so equal base names do not clash.
compile() {
  local src=$1 obj
  obj="$OUT/obj/$(realpath --relative-to="$ROOT" "$src" | tr '/' '_').o"
  if [ ! -e "$obj" ] || [ "$src" -nt "$obj" ] || [ -n "$(find "$ROOT/src" "$ROOT/fuzz" -name '*.h' -newer "$obj" -print -quit)" ]; then
    "$CXX" "${CXXFLAGS[@]}" "${SAN[@]}" -c "$src" -o "$obj"
  fi
  echo "$obj"
}
export -f compile
export ROOT OUT CXX
export CXXFLAGS_STR="${CXXFLAGS[*]}" SAN_STR="${SAN[*]}"

objs=$(printf '%s\n' "${sources[@]}" |
  xargs -P "$JOBS" -I{} bash -c 'CXXFLAGS=($CXXFLAGS_STR); SAN=($SAN_STR); compile "$1"' _ {})
# shellcheck disable=SC2086
"$CXX" "${SAN[@]}" -o "$OUT/dialogue_fuzz" $objs -lglut -lGL
echo "built $OUT/dialogue_fuzz"
