#!/usr/bin/env bash
# Data flows one way: a folder of src/ includes only itself and the folders
# below it, and the numeric core and the drawing never include console/.
#   console | model <- robot <- toc, fbc <- view <- app
set -u
src=${1:?usage: layering_test.sh SRC_DIR}
declare -A allowed=(
  [console]="console"
  [model]="model"
  [robot]="robot model"
  [toc]="toc robot model"
  [fbc]="fbc robot model"
  [view]="view robot model"
  [app]="app view toc fbc robot model console"
)
status=0
for dir in "${!allowed[@]}"; do
  [ -d "$src/$dir" ] || continue
  while IFS= read -r line; do
    file=${line%%:*}
    target=$(sed -E 's/.*#include[[:space:]]+"([^/"]+)\/.*/\1/' <<<"$line")
    if [[ " ${allowed[$dir]} " != *" $target "* ]]; then
      echo "upward include: $line"
      status=1
    fi
  done < <(grep -HnE '#include[[:space:]]+"[^/"]+/' "$src/$dir"/*.h "$src/$dir"/*.cpp 2>/dev/null)
done
[ -d "$src/scenario" ] && { echo "src/scenario/ should not exist"; status=1; }
[ "$status" = 0 ] && echo "layering: every include points down"
exit "$status"
