# Sourced by the window tests: tells why a program under test did not do what
# was awaited (still running or not, its output, the windows on the display,
# and where every thread of it stands).
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
