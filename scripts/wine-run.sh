#!/usr/bin/env bash
# Runs one Windows program under Wine (CMake's cross-compiling emulator).
# A crash must fail the run: Wine may print "wine: Unhandled" and still exit 0.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
err=$(mktemp)
trap 'rm -f "$err"' EXIT
wine "$@" 2> >(tee "$err" >&2)
rc=$?
wait
if grep -q "wine: Unhandled" "$err"; then
  echo "wine-run: unhandled exception in $1" >&2
  [ "$rc" = 0 ] && rc=1
fi
exit "$rc"
