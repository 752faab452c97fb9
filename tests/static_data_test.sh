#!/usr/bin/env bash
# No library but the console keeps mutable static data: everything a part of
# the program changes is handed to it by main. Constant tables that hold
# addresses (read-only after relocation, .data.rel.ro) are fine; objects of
# ours in .data or .bss are not. What the compiler and the standard library
# place there themselves (the exception personality, the no-op coroutine's
# frame, AddressSanitizer's one-definition indicators) is not ours.
set -u
status=0
for lib in "$@"; do
  case $(basename "$lib") in *console*) continue ;; esac
  # objdump -t: "VALUE FLAGS SECTION<TAB>SIZE NAME"; objects only (flag O).
  found=$(objdump -t -C "$lib" | awk -F'\t' '
    { split($1, a, " "); section = a[length(a)]; flagged = ($1 ~ / O /) }
    flagged && section ~ /^\.(data|bss)/ && section !~ /^\.data\.rel\.ro/ {
      name = $2; sub(/^[0-9a-f]+ +/, "", name); sub(/^\.hidden +/, "", name)
      if (name !~ /^(DW\.ref\.|std::|__odr_asan\.)/) print section "  " name
    }' | sort -u)
  if [ -n "$found" ]; then
    echo "mutable static data in $(basename "$lib"):"
    echo "$found"
    status=1
  fi
done
[ "$status" = 0 ] && echo "static data: none mutable outside the console"
exit "$status"
