# Shared helpers of the end-to-end scripts: an Xvfb display, the program with a
# console fed through a FIFO, and the window found by its process id.
set -u

E2E_TMP=$(mktemp -d)
XVFB_PID=""
APP_PID=""

e2e_cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  exec 3>&- 2>/dev/null
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*"
  if [ -f "$E2E_TMP/out" ]; then
    echo "--- console output (tail) ---"
    tail -c 3000 "$E2E_TMP/out"
    echo
  fi
  if [ -s "$E2E_TMP/err" ]; then
    echo "--- standard error (tail) ---"
    tail -c 3000 "$E2E_TMP/err"
  fi
  exit 1
}

# Starts Xvfb on a display number the server picks itself (-displayfd: it
# writes the number once it accepts connections) and exports DISPLAY. The
# screen is 1024 x 1024 unless another size is given.
start_display() {
  local n="" i size=${1:-1024x1024}
  Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp 5>"$E2E_TMP/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  for i in $(seq 1 400); do
    n=$(tr -dc '0-9' <"$E2E_TMP/display" 2>/dev/null)
    [ -n "$n" ] && grep -q $'\n' "$E2E_TMP/display" && { export DISPLAY=":$n"; return 0; }
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  fail "no Xvfb display could be started"
}

# Starts the program with its console on a FIFO (fd 3 writes to it) and its
# output in $E2E_TMP/out.
start_app() {
  mkfifo "$E2E_TMP/in"
  mkdir -p "$E2E_TMP/work"  # the working folder: pictures and motions land here
  (cd "$E2E_TMP/work" && exec env LC_ALL=C.UTF-8 "$@" <"$E2E_TMP/in" >"$E2E_TMP/out" 2>"$E2E_TMP/err") &
  APP_PID=$!
  exec 3>"$E2E_TMP/in"
}

# Sends console input.
say() { printf '%s' "$1" >&3; }

# Waits until the console output contains the text (a fixed string).
wait_output() {
  local text=$1 i
  for i in $(seq 1 400); do
    grep -qF -- "$text" "$E2E_TMP/out" 2>/dev/null && return 0
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.05
  done
  fail "console never printed: $text"
}

# Waits until a file matching the pattern exists in the working folder; prints its name.
wait_file() {
  local pattern=$1 i f
  for i in $(seq 1 400); do
    for f in "$E2E_TMP"/work/$pattern; do
      [ -e "$f" ] && { basename "$f"; return 0; }
    done
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.05
  done
  return 1
}

# Width and height of a PNG file, from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }

# Waits until the console output holds the text (a fixed string) n times.
wait_count() {
  local text=$1 n=$2 i
  for i in $(seq 1 400); do
    [ "$(grep -oF -- "$text" "$E2E_TMP/out" 2>/dev/null | wc -l)" -ge "$n" ] && return 0
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.05
  done
  return 1
}

# Prints the id of the program's window once it is mapped (the display is ours alone).
find_window() {
  local i wid
  for i in $(seq 1 400); do
    wid=$(xdotool search --onlyvisible --name "g,h:" 2>/dev/null | head -n 1)
    [ -n "$wid" ] && { echo "$wid"; return 0; }
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.05
  done
  return 1
}

# Sends keys to the window (focus first: there is no window manager).
press() {
  local wid=$1
  shift
  xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
  xdotool key --delay 30 "$@"
}

# Waits for the program to end and sets EXIT_STATUS (not in a subshell: only
# this shell can collect the status of its child).
wait_exit() {
  local i
  for i in $(seq 1 400); do
    if ! kill -0 "$APP_PID" 2>/dev/null; then
      wait "$APP_PID"
      EXIT_STATUS=$?
      APP_PID=""
      return 0
    fi
    sleep 0.05
  done
  fail "the program did not end"
}
