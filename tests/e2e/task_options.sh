#!/usr/bin/env bash
# A task on the command line (--robot, --gravity, --ratios, --points,
# --elbow) gives the console text of the same answers typed, byte for byte:
# both robots, both languages, a SCARA elbow from the options or from the
# user, CP932, a terminal; and every bad value one line on standard error
# with status 2.
source "$(dirname "$0")/lib.bash"
APP=$1

# Runs the program without a display: console input $1, then the options.
run() {
  local input=$1
  shift
  printf '%s' "$input" | env -u DISPLAY LC_ALL=C.UTF-8 timeout 60 "$APP" --no-window "$@" \
    >"$E2E_TMP/out" 2>"$E2E_TMP/err"
  status=$?
}

# The options with the user's input $2 against the typed answers $3 with the
# same input: the same output, status and standard error.
same_as_typed() {
  local name=$1 rest=$2 typed=$3
  shift 3
  local common=() given=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do common+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  given=("$@")
  run "$typed$rest" "${common[@]}"
  local typed_status=$status
  mv "$E2E_TMP/out" "$E2E_TMP/typed.out"
  mv "$E2E_TMP/err" "$E2E_TMP/typed.err"
  run "$rest" "${common[@]}" "${given[@]}"
  [ "$status" = "$typed_status" ] || fail "$name: status $status, typed $typed_status"
  cmp -s "$E2E_TMP/out" "$E2E_TMP/typed.out" || {
    diff <(cat "$E2E_TMP/typed.out") <(cat "$E2E_TMP/out") | head -20
    fail "$name: the console text differs from the typed answers'"
  }
  cmp -s "$E2E_TMP/err" "$E2E_TMP/typed.err" || fail "$name: standard error differs"
}

# Cylindrical robot, new points (the ratios kept): nothing is left to ask.
same_as_typed cyl_points 'n' $'a h y z h y 0.8 0 0.2 0.8\n' \
  -- --robot a --gravity h --points 0.8,0,0.2,0.8
grep -qF '終点(xf,yf)=( 0.2000       0.8000)[m]' "$E2E_TMP/out" || fail "cyl_points: the points were not taken"
[ "$status" = 0 ] || fail "cyl_points: status $status"
# The same without any input: the options answer every question of the run.
run '' --robot a --gravity h --points 0.8,0,0.2,0.8
cmp -s "$E2E_TMP/out" "$E2E_TMP/typed.out" || fail "cyl_points without input: the text differs"
# In English, with ratios and gravity, the numbers as written.
same_as_typed cyl_en '' $'a\ng\ny\ny\n25.0 +35\ng\ny\n0.7 1e-1 .1 0.70\n' \
  --lang en -- --robot a --gravity g --ratios 25.0,+35 --points 0.7,1e-1,.1,0.70
grep -qF 'u1 =  25.0[rad/rad]     u2 =  35.0[rad/m]' "$E2E_TMP/out" || fail "cyl_en: the ratios were not taken"

# SCARA with the elbow up from the options, both languages.
same_as_typed scara_elbow '' $'b g y z g y 0.6 0.2 0.2 0.6\n2' \
  -- --robot b --gravity g --points 0.6,0.2,0.2,0.6 --elbow 2
same_as_typed scara_elbow_en '' $'b g y z g y 0.6 0.2 0.2 0.6\n2' \
  --lang en -- --robot b --gravity g --points 0.6,0.2,0.2,0.6 --elbow 2
# The elbow left to the user, who answers it on standard input.
same_as_typed scara_user_elbow $'1\n' $'b\nh\ny\ny\n40 35\nh\ny\n0.6 0.2 0.2 0.6\n' \
  -- --robot b --gravity h --ratios 40,35 --points 0.6,0.2,0.2,0.6
# An unreachable end point: the user acknowledges its lines, and gives up.
same_as_typed scara_unreachable $'x x n\n' $'b h y z h y 0.8 0 0 1.0\n1\n' \
  --lang en -- --robot b --gravity h --points 0.8,0,0,1.0 --elbow 1
[ "$status" = 0 ] || fail "scara_unreachable: status $status after n"
# Only the first questions answered: the dialogue goes on from the input.
same_as_typed robot_only 'h n' 'a ' -- --robot a
same_as_typed robot_gravity 'y z h n' $'b\ng\n' --lang en -- --robot b --gravity g
# The end of the input after the answers: status 1, as typed.
same_as_typed input_ends '' 'b h ' -- --robot b --gravity h
[ "$status" = 1 ] || fail "input_ends: status $status"
# CP932.
same_as_typed cp932 '' $'b g y z g y 0.6 0.2 0.2 0.6\n2' \
  --encoding cp932 -- --robot b --gravity g --points 0.6,0.2,0.2,0.6 --elbow 2

# On a terminal the answers are read as piped ones (their line feeds are no
# keys); the user's key then answers the elbow without Enter. The text is the
# piped run's, with the terminal's CR LF and the last line ended.
run '' --robot b --gravity h --points 0.6,0.2,0.2,0.6 --elbow 1
cp "$E2E_TMP/out" "$E2E_TMP/piped.out"
trap '' PIPE  # a program that ended early fails below, not by the signal
mkfifo "$E2E_TMP/in"
inner="'$APP' --no-window --robot b --gravity h --points 0.6,0.2,0.2,0.6; echo \$? >'$E2E_TMP/status'"
(exec env -u DISPLAY LC_ALL=C.UTF-8 script -qfec "$inner" /dev/null \
  <"$E2E_TMP/in" >"$E2E_TMP/out" 2>"$E2E_TMP/err") &
APP_PID=$!
exec 3>"$E2E_TMP/in"
wait_output "肘下折れ曲がり"
say 1
wait_output "描画画面へ"
wait_exit
exec 3>&-
[ "$(cat "$E2E_TMP/status")" = 0 ] || fail "terminal: status $(cat "$E2E_TMP/status")"
{ cat "$E2E_TMP/piped.out"; echo; } >"$E2E_TMP/piped.nl"
tr -d '\r' <"$E2E_TMP/out" | cmp -s - "$E2E_TMP/piped.nl" ||
  fail "terminal: the text differs from the piped run's"

# Bad values, and items without those asked before them: one line naming
# the option and pointing to --help, nothing on standard output, status 2.
for args in "--ratios 30" "--points a,b,c,d" "--robot x" "--elbow 3" "--gravity G" \
  "--robot a --gravity h --ratios 30,x" "--robot a --gravity h --points 1,2,3" \
  "--points 0.8,0,0.2,0.8" "--robot a --points 0.8,0,0.2,0.8" "--gravity h" \
  "--robot a --gravity h --points 1,0,0,1 --elbow 1" "--robot b --gravity h --elbow 2"; do
  # shellcheck disable=SC2086
  run 'a h n' $args
  [ "$status" = 2 ] || fail "'$args' gave status $status"
  [ -s "$E2E_TMP/out" ] && fail "'$args' printed on stdout"
  [ "$(wc -l <"$E2E_TMP/err")" = 1 ] || fail "'$args' did not give exactly one line on stderr"
  grep -qF -- "--help" "$E2E_TMP/err" || fail "'$args': the error line does not point to --help"
  # shellcheck disable=SC2086
  culprit=$(printf '%s\n' $args | grep -- '^--' | tail -n 1)  # the last option is the one at fault
  grep -qF -- "$culprit" "$E2E_TMP/err" || fail "'$args': the error line does not name $culprit"
done
run '' --lang en --points 0.8,0,0.2,0.8
grep -qxF "tocsim: --points: bad value '0.8,0,0.2,0.8' (--robot a|b --gravity g|h --points X0,Y0,XF,YF); see 'tocsim --help'" \
  "$E2E_TMP/err" || fail "the points without robot and gravity: $(cat "$E2E_TMP/err")"

# The help names every task option.
run '' --help
for o in '--robot a|b' '--gravity g|h' '--ratios U1,U2' '--points X0,Y0,XF,YF' '--elbow 1|2'; do
  grep -qF -- "$o" "$E2E_TMP/out" || fail "--help does not name $o"
done
echo PASS
