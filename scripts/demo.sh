#!/usr/bin/env bash
# Builds ktreva-host and the device emulator, starts ktreva-emu on a
# pseudo-terminal and runs the example session against it (compile the two
# example files, show them, connect, download), shows what the emulator
# received, then updates the emulator's firmware from examples/firmware.hex
# and shows the image it received. With --interactive you get the Command>
# prompt yourself, connected to the emulator on COM1.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libedit-dev
cmake --preset default >/dev/null
cmake --build --preset default --target ktreva-host ktreva-emu >/dev/null
root=$PWD
host=$root/build/default/src/ktreva-host
emu=$root/build/default/emulator/ktreva-emu

work=$(mktemp -d)
emu_pid=
cleanup() {
  exec 3>&- 2>/dev/null || true
  [ -n "$emu_pid" ] && kill "$emu_pid" 2>/dev/null && wait "$emu_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The emulator runs until its standard input ends: keep a pipe open to it.
mkfifo "$work/emu.in"
"$emu" --link "$work/ktreva0" --dump "$work/received.txt" --log "$work/emu.log" \
  <"$work/emu.in" >"$work/emu.out" &
emu_pid=$!
exec 3>"$work/emu.in"
for _ in $(seq 100); do [ -s "$work/emu.out" ] && break; sleep 0.1; done

cd examples
if [ "${1:-}" = "--interactive" ]; then
  echo "ktreva-emu serves COM1 ($work/ktreva0); type help for the commands."
  echo "connect 1" >"$work/first.txt"
  { cat "$work/first.txt"; cat; } | "$host" --com "1=$work/ktreva0" |
    perl "$root/scripts/echo-session.pl" "$work/first.txt"
  exit 0
fi
session() {
  echo "\$ ktreva-host --com 1=$work/ktreva0 < $1"
  "$host" --com "1=$work/ktreva0" <"$1" | perl "$root/scripts/echo-session.pl" "$1" || true
  echo
  echo "--- what ktreva-emu received ---"
  cat "$work/received.txt"
  echo
}
session demo-session.txt
session demo-firmware.txt
