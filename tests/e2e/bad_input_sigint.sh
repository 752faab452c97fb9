#!/usr/bin/env bash
# Ctrl-C at a single-key prompt on a real terminal: the program dies of SIGINT
# and leaves the terminal as it found it (canonical input and echo on).
#
# The terminal is a pseudo-terminal of util-linux `script`; keys are written to
# its standard input through a FIFO, so Ctrl-C goes through the terminal's line
# discipline exactly as typed. Inside, a small shell prints `stty -a` before
# and after the program, and the program's exit status.
set -u
APP=$1
tmp=$(mktemp -d)
SCRIPT_PID=""

cleanup() {
  exec 3>&- 2>/dev/null
  [ -n "$SCRIPT_PID" ] && kill "$SCRIPT_PID" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  if [ -f "$tmp/log" ]; then
    echo "--- terminal (tail) ---"
    tail -c 2000 "$tmp/log"
    echo
  fi
  exit 1
}

command -v script >/dev/null || fail "util-linux script is needed"
env --default-signal=INT true 2>/dev/null || fail "env --default-signal (coreutils 8.31 or later) is needed"

cat >"$tmp/session.sh" <<'EOF'
# Runs "$@" on this terminal between two snapshots of its settings.
echo "before: $(stty -a | tr '\n' ' ')"
trap : INT   # the shell itself survives Ctrl-C (a handler, not SIG_IGN: the program gets the default)
"$@"
echo "status=$?"
echo "after: $(stty -a | tr '\n' ' ')"
EOF

# Starts a terminal session running the given command; fd 3 types into it.
# A background job of a non-interactive shell starts with SIGINT ignored, and
# a program inherits that: env puts the default action back.
start_session() {
  rm -f "$tmp/log" "$tmp/in"
  mkfifo "$tmp/in"
  local cmd
  cmd="env --default-signal=INT -u DISPLAY LC_ALL=C.UTF-8 sh $(printf '%q' "$tmp/session.sh")"
  for arg in "$@"; do cmd="$cmd $(printf '%q' "$arg")"; done
  script -q -f -E always -c "$cmd" "$tmp/log" <"$tmp/in" >/dev/null 2>&1 &
  SCRIPT_PID=$!
  exec 3>"$tmp/in"
}

# Waits until the terminal shows the text (a fixed string).
wait_terminal() {
  local text=$1 i
  for i in $(seq 1 400); do
    grep -qF -- "$text" "$tmp/log" 2>/dev/null && return 0
    kill -0 "$SCRIPT_PID" 2>/dev/null || break
    sleep 0.05
  done
  fail "the terminal never showed: $text"
}

type_keys() { printf '%s' "$1" >&3; }

# The session's terminal device: standard input of the shell that script started.
session_tty() {
  local child
  for child in $(pgrep -P "$SCRIPT_PID"); do
    readlink "/proc/$child/fd/0" 2>/dev/null | grep '^/dev/pts/' && return 0
  done
  return 1
}

# Waits until the terminal is in key mode (no canonical input), as a key read sets it.
wait_key_mode() {
  local i tty=""
  for i in $(seq 1 400); do
    [ -n "$tty" ] || tty=$(session_tty) || tty=""
    if [ -n "$tty" ] && stty -F "$tty" -a 2>/dev/null | grep -q -- "-icanon"; then return 0; fi
    kill -0 "$SCRIPT_PID" 2>/dev/null || break
    sleep 0.05
  done
  fail "the terminal never went into key mode"
}

# Ends the session and waits for script to finish.
end_session() {
  local i
  exec 3>&-
  for i in $(seq 1 100); do
    kill -0 "$SCRIPT_PID" 2>/dev/null || { wait "$SCRIPT_PID" 2>/dev/null; SCRIPT_PID=""; return 0; }
    sleep 0.05
  done
  fail "the terminal session did not end"
}

# The settings line printed by session.sh with the given prefix.
settings() { grep -a "^$1: " "$tmp/log" | tr -d '\r' | head -n 1; }
has_flag() { echo " $1 " | grep -qE " $2 "; }

# Sends Ctrl-C once the prompt is shown and checks what is left behind.
interrupt_at() {
  local prompt=$1
  wait_terminal "$prompt"
  wait_key_mode  # the key read has begun
  type_keys $'\003'
  wait_terminal "after: "
  end_session
}

# ---- Control: a process that leaves the terminal raw is seen as such ----
start_session sh -c 'stty -icanon -echo; printf "type="; sleep 30'
interrupt_at "type="
grep -qa "status=130" "$tmp/log" || fail "control: sleep did not die of SIGINT"
after=$(settings after)
has_flag "$after" "-icanon" && has_flag "$after" "-echo" ||
  fail "control: a raw terminal left behind is not visible: $after"

# ---- The program, interrupted at its first key prompt ----
start_session "$APP" --no-window
interrupt_at "type="
before=$(settings before)
has_flag "$before" "icanon" && has_flag "$before" "echo" || fail "the terminal did not start canonical: $before"
grep -qa "status=130" "$tmp/log" || fail "the program did not die of SIGINT: $(grep -a status= "$tmp/log")"
if grep -qaF "コンソール入力が終わりました" "$tmp/log"; then fail "Ctrl-C was taken for the end of input"; fi
after=$(settings after)
has_flag "$after" "icanon" || fail "canonical input not restored: $after"
has_flag "$after" "echo" || fail "echo not restored: $after"
has_flag "$after" "isig" || fail "signals not restored: $after"

# ---- The same at the second key prompt, after one key was read ----
start_session "$APP" --no-window
wait_terminal "type="
type_keys "b"
interrupt_at "sgnG="
grep -qaF "type= b" "$tmp/log" || fail "the robot key was not taken"
grep -qa "status=130" "$tmp/log" || fail "the program did not die of SIGINT at the gravity key"
after=$(settings after)
has_flag "$after" "icanon" && has_flag "$after" "echo" || fail "terminal not restored after the second key: $after"

echo PASS
