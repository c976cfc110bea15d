# shellcheck shell=bash
# Sourced by the window tests: a virtual X display of their own with an
# environment that keeps the program under test to itself, and a report of a
# program that did not do what was awaited.

# A window test runs with X sockets of its own where it can have them (as
# root): a network namespace of its own, since X clients look for a display's
# abstract socket first and those names are shared by every process of a
# network namespace, chroots and containers included; and a folder of socket
# files of its own, since an X server that finds its display's socket file
# replaced by another server's stops answering new clients. Shared memory is
# its own too: JACK keeps its servers and their sockets there, and the program
# looks for a JACK server as it starts. Sourced first thing, this starts the
# sourcing script again inside the namespaces.
if [ -z "${SLIDORA_PRIVATE_X:-}" ] && [ "$(id -u)" -eq 0 ] && unshare -n -m true 2>/dev/null; then
  export SLIDORA_PRIVATE_X=1
  [ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix
  exec unshare -n -m bash -c 'mount -t tmpfs -o mode=1777 x11-sockets /tmp/.X11-unix &&
    mount -t tmpfs -o mode=1777 shm /dev/shm && exec bash "$@"' \
    bash "${BASH_SOURCE[1]}" "$@"
fi

# Starts Xvfb (1600 by 900) on a display number the server picks and exports
# what the program reads. Returns 1 when the server does not
# come up within 10 s.
start_virtual_display() {
  local work=$1
  # -noreset: by default the server starts over whenever its last client leaves
  # (an xdotool call), and a program connecting just then finds no display and
  # runs on without a window.
  Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
  local deadline=$((SECONDS + 10))
  while [ ! -s "$work/display" ] && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.05; done
  [ -s "$work/display" ] || return 1
  DISPLAY=":$(head -n 1 "$work/display")"
  export DISPLAY
  unset WAYLAND_DISPLAY SDL_VIDEODRIVER
  export SDL_AUDIODRIVER=dummy
  # No session bus: the window library's bus calls (input methods, screen
  # saver) fail at once instead of waiting on whatever bus the caller has.
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
  # The single-instance lock lives in the runtime folder: a private one, so a
  # program running elsewhere on this machine does not count.
  export XDG_RUNTIME_DIR="$work/xdg"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
}

# Starts a window test: skips it (status 77) unless Xvfb, xdotool and every
# tool named are installed, makes its folder WORK, which goes at exit together
# with every program the test started in the background, and starts the
# virtual display.
begin_window_test() {
  local tool
  for tool in Xvfb xdotool "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
  WORK=$(mktemp -d)
  # shellcheck disable=SC2034  # the test sets it to the program it starts
  APP_PID=""
  trap end_window_test EXIT
  start_virtual_display "$WORK" || { echo "SKIP: Xvfb did not start"; exit 77; }
}

end_window_test() {
  local pids
  pids=$(jobs -p)
  if [ -n "$pids" ]; then
    # shellcheck disable=SC2086  # one word a program
    kill $pids 2>/dev/null
    # A program that does not answer SIGTERM (one hung in its loop, where the
    # window library turns the signal into a quit event) is killed after 5 s.
    local pid alive
    for _ in $(seq 50); do
      alive=""
      for pid in $pids; do kill -0 "$pid" 2>/dev/null && alive=1; done
      [ -z "$alive" ] && break
      sleep 0.1
    done
    # shellcheck disable=SC2086
    [ -n "$alive" ] && kill -KILL $pids 2>/dev/null
    # shellcheck disable=SC2086
    wait $pids 2>/dev/null
  fi
  rm -rf "$WORK"
}

# Says why the test failed, leaves a screenshot of the display beside the
# temporary files, and ends the test.
fail() {
  echo "FAIL: $*" >&2
  import -window root "${TMPDIR:-/tmp}/$(basename "$0" .sh)_fail.png" 2>/dev/null
  exit 1
}

# Tells why a program did not do what was awaited: still running or not, its
# output, the windows on the display, and where every thread of it stands.
# Usage: report_stuck_program PID OUTPUT_FILE
report_stuck_program() {
  local pid=$1 output=$2
  echo "--- program $pid: $(kill -0 "$pid" 2>/dev/null && echo running || echo ended)"
  echo "--- its output:"
  cat "$output" 2>/dev/null
  echo "--- windows on $DISPLAY:"
  xwininfo -root -tree 2>/dev/null | grep -v '"has no name"' | head -30
  if kill -0 "$pid" 2>/dev/null && command -v gdb >/dev/null; then
    echo "--- its threads:"
    timeout 30 gdb -p "$pid" -batch -ex "thread apply all bt 12" 2>/dev/null | grep -E '^(Thread|#)' | head -80
  fi
}
