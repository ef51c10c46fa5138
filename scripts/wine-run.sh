#!/usr/bin/env bash
# Runs one Windows program under Wine (CMake's cross-compiling emulator).
# A crash must fail the run: Wine may print "wine: Unhandled" and still exit 0.
# Stderr goes through a file, not a pipe: Wine's helper processes may outlive
# the program and would hold a pipe open.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
err=$(mktemp)
trap 'rm -f "$err"' EXIT
wine "$@" 2>"$err"
rc=$?
cat "$err" >&2
if grep -q "wine: Unhandled" "$err"; then
  echo "wine-run: unhandled exception in $1" >&2
  [ "$rc" = 0 ] && rc=1
fi
exit "$rc"
