#!/usr/bin/env bash
# Data flows one way: a folder of src/ includes only itself and the folders
# below it, and the numeric core and the drawing never include console/.
#   console | model <- robot <- toc, view <- app <- platform (the web page's main)
set -u
src=${1:?usage: layering_test.sh SRC_DIR}
declare -A allowed=(
  [console]="console"
  [model]="model"
  [robot]="robot model"
  [toc]="toc robot model"
  [view]="view robot model"
  [app]="app view toc robot model console"
  [platform]="app view toc robot model console"
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
  done < <(find "$src/$dir" -name '*.h' -o -name '*.cpp' | sort |
           xargs -r grep -HnE '#include[[:space:]]+"[^/"]+/' 2>/dev/null)
done
# A folder without a rule would escape the check entirely.
for path in "$src"/*/; do
  dir=$(basename "$path")
  [ -n "${allowed[$dir]+set}" ] || { echo "src/$dir/ has no layering rule"; status=1; }
done
[ "$status" = 0 ] && echo "layering: every include points down"
exit "$status"
