#!/usr/bin/env bash
# A test killed part-way (a time-out, Ctrl+C) leaves no JACK server behind: the
# JACK port test is killed while its server runs, and the server must go too.
# Usage: killed_test_leaves_no_server.sh TEST_BINARY
set -u
TESTS=$1
command -v jackd >/dev/null || { echo "SKIP: jackd is not installed"; exit 77; }
out=$(mktemp)
trap 'rm -f "$out"' EXIT

"$TESTS" --gtest_filter='JackPortTest.ResetBurstReachesAnExternalReceiverInOrder' >"$out" 2>&1 &
test_pid=$!
server="slidora-test-$test_pid"
server_pid=""
deadline=$((SECONDS + 30))
while [ -z "$server_pid" ] && [ "$SECONDS" -lt "$deadline" ] && kill -0 "$test_pid" 2>/dev/null; do
  server_pid=$(pgrep -f -- "jackd -n $server " | head -n 1)
  sleep 0.05
done
if [ -z "$server_pid" ]; then
  kill -9 "$test_pid" 2>/dev/null
  grep -q "SKIPPED" "$out" && { echo "SKIP: jackd cannot run here"; exit 77; }
  echo "FAIL: the JACK test started no server $server"; cat "$out"; exit 1
fi
# Killed once the server runs and has its client: the part of the test a
# time-out would cut.
deadline=$((SECONDS + 15))
until pgrep -f "midi_receiver slidora-receiver" >/dev/null || [ "$SECONDS" -ge "$deadline" ]; do sleep 0.05; done
sleep 0.5
kill -9 "$test_pid"
killed_at=$SECONDS
wait "$test_pid" 2>/dev/null
# A server whose client died with the test waits out its client time-out (5 s)
# before it shuts down; on a busy machine that takes a few seconds more.
deadline=$((SECONDS + 40))
while kill -0 "$server_pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.05; done
if kill -0 "$server_pid" 2>/dev/null; then
  kill -9 "$server_pid"
  echo "FAIL: the JACK server $server outlived the killed test"
  exit 1
fi
echo "PASS: the server $server ended with the killed test ($((SECONDS - killed_at)) s)"
