# shellcheck shell=bash
# Sourced by tests that need a JACK server: a dummy server of the test's own,
# run by the guard program (tests/helpers/jack_guard.c), which ends it when the
# test's shell ends, however it ends (the guard's input is a pipe the shell
# holds open on descriptor 7, and it watches the shell's process too), and
# clears what a killed server leaves in /dev/shm.

# Starts the server NAME and waits up to 20 s for it; exports what JACK
# clients read. Its cycles are long (21 ms): a client late for a cycle misses
# the MIDI of that cycle, which a busy machine makes likely with short ones. Sets JACK_GUARD_PID and JACK_SERVER_PID. Returns 1 when no server came up.
# Usage: start_jack_server GUARD NAME WORK
start_jack_server() {
  local guard=$1 name=$2 work=$3
  export JACK_DEFAULT_SERVER=$name
  export JACK_NO_START_SERVER=1
  rm -f "$work/jack_guard.in"
  mkfifo "$work/jack_guard.in"
  "$guard" -w $$ "$name" -r -t 5000 -d dummy -r 48000 -p 1024 \
    <"$work/jack_guard.in" >"$work/jack_guard.out" 2>"$work/jack_guard.log" &
  JACK_GUARD_PID=$!
  exec 7>"$work/jack_guard.in"
  local deadline=$((SECONDS + 20))
  while [ "$SECONDS" -lt "$deadline" ] && ! grep -q 'ready\|failed' "$work/jack_guard.out"; do
    sleep 0.05
  done
  JACK_SERVER_PID=$(sed -n 's/^ready //p' "$work/jack_guard.out")
  [ -n "$JACK_SERVER_PID" ]
}

# Kills the server outright, as a crash would (the guard clears up after it).
kill_jack_server() {
  kill -KILL "$JACK_SERVER_PID"
}

# Ends the server and waits for the guard's clean-up (at most its SIGTERM wait
# and the SIGKILL after it).
stop_jack_server() {
  exec 7>&-
  [ -n "${JACK_GUARD_PID:-}" ] && wait "$JACK_GUARD_PID" 2>/dev/null
  JACK_GUARD_PID=""
}
