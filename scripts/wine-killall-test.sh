#!/usr/bin/env bash
# An uncut "/KA" in a throw-away Wine prefix: it must end this test's own
# programs, and nothing of Wine's services, explorer or the shell, and exit
# with 0. The prefix and its wineserver are private, so the run cannot end
# the processes of the prefix the other tests use.
# usage: wine-killall-test.sh [mingw build folder]; runs inside an X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$(cd "${1:-build/mingw}" && pwd)
source scripts/wine-env.sh
tmp=$(mktemp -d)
export WINEPREFIX=$tmp/prefix
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "wine-killall-test: $*" >&2
  [ -f "$tmp/Quellix.log" ] && tr -d "\r" <"$tmp/Quellix.log" >&2
  exit 1
}
winpath() { local p=${1//\//\\}; echo "Z:$p"; }

# Let the set-up's own server end, so that one service manager and its
# services run when the test starts.
wineboot -i >/dev/null 2>&1 || true
wineserver -w
cp "$bin/quellix.exe" "$bin/qxtarget.exe" "$bin/qx_invprobe.exe" "$tmp/"
wine "$tmp/qxtarget.exe" --title "Kill-all window" --ready "$(winpath "$tmp/window.ready")" \
  </dev/null >/dev/null 2>&1 &
wine "$tmp/qxtarget.exe" --window none --ready "$(winpath "$tmp/background.ready")" </dev/null >/dev/null 2>&1 &
for _ in $(seq 100); do
  [ -s "$tmp/window.ready" ] && [ -s "$tmp/background.ready" ] && break
  sleep 0.2
done
[ -s "$tmp/window.ready" ] && [ -s "$tmp/background.ready" ] || fail "the targets did not start"

# "<pid> <exe path>" of every process the inventory lists.
processes() {
  wine "$tmp/qx_invprobe.exe" </dev/null 2>/dev/null | tr -d '\r' |
    awk -F'\t' '$1 == "A" || $1 == "P" { print $4 " " $8 }' | sort -u
}
before=$(processes)
echo "$before" | grep -qi 'services.exe' || fail "no service process to spare: $before"
set +e
wine "$tmp/quellix.exe" /KA /W:2 ${QX_KA_DEBUG:-} </dev/null >/dev/null 2>&1
code=$?
set -e
after=$(processes)

ours=$(echo "$before" | grep -i 'qxtarget.exe' || true)
[ "$(echo "$ours" | grep -c .)" = 2 ] || fail "expected both targets in the list: $before"
left=$(echo "$after" | grep -i 'qxtarget.exe' || true)
[ -z "$left" ] || fail "targets still running: $left"
# Everything else that ran before still runs, under the same process id;
# the console host of the listing probe comes and goes with it.
spared=$(echo "$before" | grep -vi 'qxtarget.exe' | grep -vi 'conhost.exe' || true)
missing=$(comm -23 <(echo "$spared") <(echo "$after"))
[ -z "$missing" ] || fail "ended what it must spare: $missing"
[ "$code" = 0 ] || fail "exit code $code, not 0; log: $(cat "$tmp/Quellix.log" 2>/dev/null)"
echo "wine-killall-test: ended the 2 targets, spared $(echo "$spared" | grep -c .) processes:" $(echo "$spared" | awk '{print $2}' | sed 's/.*\\//')
