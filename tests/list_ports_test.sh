#!/usr/bin/env bash
# --list-ports of the real program on this machine: it exits 0, ends with
# its closing line and lists no pseudo-terminal or virtual console. On
# Windows (under Wine) a COM port that Wine's registry maps to a
# pseudo-terminal is listed as well.
#
#   list_ports_test.sh [--platform posix|windows] COMMAND...
set -euo pipefail
platform=posix
if [ "${1:-}" = --platform ]; then
  platform=$2
  shift 2
fi
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/ktreva-list-ports.XXXXXX")
emu_pid=""
cleanup() {
  if [ -n "$emu_pid" ]; then
    kill "$emu_pid" 2>/dev/null || true
    wait "$emu_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

if [ "$platform" = windows ]; then
  # The stand-in device only for its pseudo-terminal: nothing opens it.
  emu=${KTREVA_EMU:-$top/build/default/emulator/ktreva-emu}
  [ -x "$emu" ] || { echo "the device emulator $emu is not there" >&2; exit 1; }
  "$emu" --no-stdin --power-on-ms -1 --link "$work/pty" >/dev/null 2>&1 &
  emu_pid=$!
  for _ in $(seq 100); do
    [ -e "$work/pty" ] && break
    sleep 0.1
  done
  export KTREVA_WINE_COM="7=$work/pty"
fi

status=0
timeout -k 10 90 "$@" --list-ports </dev/null >"$work/out" 2>"$work/err" || status=$?
perl -pi -e 's/\r\n/\n/' "$work/out"
failed=0
fail() {
  echo "$*"
  failed=1
}
[ "$status" = 0 ] || fail "exit status $status, expected 0"
[ -s "$work/err" ] && fail "standard error: $(cat "$work/err")"
tail -1 "$work/out" | grep -Eq '^(To use a port, |No serial ports found\.$)' ||
  fail "no closing line"
if grep -Eq '^/dev/(pts/|ptmx|console|tty[0-9]*( |$)|tty[p-za-e][0-9a-f]( |$))' "$work/out"; then
  fail "a pseudo-terminal or console is listed"
fi
if [ "$platform" = windows ]; then
  grep -q '^COM7\b' "$work/out" || fail "COM7, mapped to a pseudo-terminal, is not listed"
else
  # Each port line names its device; what stands in its way follows indented.
  grep -v '^To use a port, \|^No serial ports\|^  ' "$work/out" | grep -qv '^/dev/' &&
    fail "a port line that names no device"
fi
echo "--- ktreva-host --list-ports:"
cat "$work/out"
exit "$failed"
