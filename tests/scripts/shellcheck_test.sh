#!/usr/bin/env bash
# Every shell script of the project passes shellcheck: the set-up scripts,
# CI's entry point and the test scripts.
# Usage: shellcheck_test.sh SOURCE_DIR
set -u
cd "$1" || exit 1
command -v shellcheck >/dev/null || { echo "SKIP: shellcheck is not installed"; exit 77; }
scripts=()
for f in scripts/* .ci/run; do
  [ -f "$f" ] && scripts+=("$f")
done
while IFS= read -r f; do scripts+=("$f"); done < <(find tests -name '*.sh' | sort)
shellcheck -x "${scripts[@]}" && echo "shellcheck: ${#scripts[@]} scripts clean"
