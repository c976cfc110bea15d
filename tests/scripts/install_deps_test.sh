#!/usr/bin/env bash
# scripts/install-deps on a bare machine, played against stand-ins: dpkg-query,
# apt-get, debconf-set-selections, sudo and id on the PATH record what they are
# asked to do instead of doing it. Checks the commands run as root (no sudo),
# as an ordinary user (through sudo), with some packages present, and with
# every package present (nothing run at all, not even an update).
# Usage: install_deps_test.sh SOURCE_DIR
set -u
SOURCE_DIR=$1
SCRIPT="$SOURCE_DIR/scripts/install-deps"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The stand-ins. Each appends one line to $LOG: its name, its arguments, and
# for apt-get the DEBIAN_FRONTEND it sees (jackd2 asks a question without it).
mkdir "$WORK/bin"
cat >"$WORK/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
# Packages named in $INSTALLED count as installed, every other one is unknown.
pkg=${*: -1}
for p in $INSTALLED; do
  [ "$p" = "$pkg" ] && { printf 'install ok installed'; exit 0; }
done
echo "dpkg-query: no packages found matching $pkg" >&2
exit 1
EOF
cat >"$WORK/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "apt-get $* [DEBIAN_FRONTEND=${DEBIAN_FRONTEND:-}]" >>"$LOG"
EOF
cat >"$WORK/bin/debconf-set-selections" <<'EOF'
#!/usr/bin/env bash
echo "debconf-set-selections $(cat)" >>"$LOG"
EOF
cat >"$WORK/bin/sudo" <<'EOF'
#!/usr/bin/env bash
# Like sudo, starts the command with a reset environment.
echo "sudo $*" >>"$LOG"
exec env -i PATH="$PATH" LOG="$LOG" "$@"
EOF
cat >"$WORK/bin/id" <<'EOF'
#!/usr/bin/env bash
[ "$1" = "-u" ] && echo "$FAKE_UID"
EOF
chmod +x "$WORK/bin"/*

# The packages the script asks for, as it lists them.
mapfile -t packages < <(sed -n '/^packages=(/,/^)/p' "$SCRIPT" | sed '1d;$d;s/#.*//' | tr ' ' '\n' | sed '/^$/d')
[ ${#packages[@]} -gt 10 ] || { echo "FAIL: could not read the package list of $SCRIPT"; exit 1; }

# Runs the script as uid $1 with the packages $2 installed; the log goes to $WORK/log.
run_as() {
  : >"$WORK/log"
  env -i HOME="$WORK" PATH="$WORK/bin:/usr/bin:/bin" LOG="$WORK/log" FAKE_UID="$1" INSTALLED="$2" \
    bash "$SCRIPT" >"$WORK/out" 2>&1
}

expect_log() {  # $1: case name; the expected log on standard input
  local expected
  expected=$(cat)
  if [ "$(cat "$WORK/log")" != "$expected" ]; then
    fail "$1: the commands run differ from those expected"
    diff <(echo "$expected") "$WORK/log" | sed 's/^/    /'
    sed 's/^/    output: /' "$WORK/out"
  fi
}

all="${packages[*]}"
debconf="debconf-set-selections jackd2 jackd/tweak_rt_limits boolean false"
update="apt-get update -qq [DEBIAN_FRONTEND=noninteractive]"
install="apt-get install -y -qq --no-install-recommends"

# Root on a bare machine: apt-get itself, no sudo anywhere.
run_as 0 "" || fail "as root with every package missing: status $? ($(tail -n 1 "$WORK/out"))"
expect_log "as root" <<EOF
$debconf
$update
$install $all [DEBIAN_FRONTEND=noninteractive]
EOF

# An ordinary user: every command that changes the system goes through sudo,
# and apt-get still runs non-interactively though sudo resets the environment.
run_as 1000 "" || fail "as uid 1000 with every package missing: status $?"
expect_log "as uid 1000" <<EOF
sudo debconf-set-selections
$debconf
sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$update
sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $all
$install $all [DEBIAN_FRONTEND=noninteractive]
EOF

# Some packages present: only the others are installed.
rest="${packages[*]:2}"
run_as 0 "${packages[0]} ${packages[1]}" || fail "as root with two packages present: status $?"
expect_log "two present" <<EOF
$debconf
$update
$install $rest [DEBIAN_FRONTEND=noninteractive]
EOF

# Everything present: nothing runs, not even an update.
for uid in 0 1000; do
  run_as "$uid" "$all" || fail "uid $uid with every package present: status $?"
  expect_log "uid $uid, every package present" </dev/null
done

# A failing apt-get fails the script (and so the README's commands).
printf '#!/usr/bin/env bash\nexit 100\n' >"$WORK/bin/apt-get"
run_as 0 "" && fail "a failing apt-get did not fail the script"

[ "$failures" -eq 0 ] && echo "install-deps: every case as expected"
exit $((failures > 0))
