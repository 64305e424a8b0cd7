#!/usr/bin/env bash
# Runs one transcript against a program started by a command (for the Windows
# build: the Wine wrapper and the .exe), as transcript_test.cpp does for the
# native build: NAME.in on standard input, in a scratch folder holding the
# files of NAME.files/, with NAME.args (one a line) as extra arguments. The
# standard output must equal NAME.out and the exit status NAME.status (0
# when that file is missing). A Windows console program ends its lines with
# CR LF, so each CR LF of the output counts as LF; every other byte, a lone CR
# included, must match. A run that Wine itself spoiled (wine_spoiled in
# scripts/wine-lib.sh) is made once more.
#
# With --variant V, NAME.V.out and NAME.V.status take the place of NAME.out
# and NAME.status where they exist: for the few sessions in which the
# platform itself answers otherwise (Windows refuses to open a folder as a
# file, where POSIX opens it and fails the read).
#
# A transcript that talks to a device has NAME.device: one line "N COMMAND",
# the command that starts the device. @PTY@ in it stands for the path where
# the device must make its end of the line appear (a link to its
# pseudo-terminal), @EMU@ for the emulator ($KTREVA_EMU, by default the
# native build's ktreva-emu). The runner starts the device, waits for @PTY@,
# runs the program with COMN mapped to it (KTREVA_WINE_COM), then stops the
# device. The wrapper opens the port once to check the mapping, so the
# emulator's first host session is that check (mind it in "@N" faults).
#
# A transcript written for the native runner's emulator (NAME.before, with
# "--com N=@OUT@" in NAME.args) runs here only when it has a NAME.device as
# well; its @OUT@ arguments are then left out, since the port is mapped in
# Wine's registry instead. Without one it is skipped (exit 77).
#
#   run_transcript.sh [--variant V] TRANSCRIPT_BASE COMMAND...
set -euo pipefail
variant=""
if [ "$1" = --variant ]; then
  variant=$2
  shift 2
fi
base=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shift
name=$(basename "$base")
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

source "$top/scripts/wine-lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/ktreva-transcript-$name.XXXXXX")
device_pid=""
cleanup() {
  if [ -n "$device_pid" ]; then
    kill "$device_pid" 2>/dev/null || true
    wait "$device_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
if [ -f "$base.fifos" ]; then
  echo "$name: FIFOs are POSIX only"
  exit 77
fi
if [ -f "$base.before" ] && [ ! -f "$base.device" ]; then
  echo "$name: a session with the native emulator only"
  exit 77
fi
args=()
[ -f "$base.args" ] && mapfile -t args < <(grep -v '^$' "$base.args")
if [ -f "$base.device" ]; then
  kept=()
  for a in "${args[@]}"; do
    case "$a" in
      *@OUT@*) [ "${kept[-1]:-}" = --com ] && unset 'kept[-1]' ;;
      *) kept+=("$a") ;;
    esac
  done
  args=("${kept[@]}")
fi

start_device() {
  local number command pty=$work/device-pty
  read -r number command <"$base.device"
  command=${command//@PTY@/$pty}
  command=${command//@EMU@/${KTREVA_EMU:-$top/build/default/emulator/ktreva-emu}}
  local words
  read -r -a words <<<"$command"
  "${words[@]}" >"$work/device.log" 2>&1 &
  device_pid=$!
  for _ in $(seq 100); do
    [ -e "$pty" ] && break
    kill -0 "$device_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -e "$pty" ]; then
    echo "$name: the device did not make $pty:" >&2
    cat "$work/device.log" >&2
    exit 1
  fi
  export KTREVA_WINE_COM="$number=$pty"
}

run_once() {
  rm -rf "$work/cwd"
  mkdir "$work/cwd"
  if [ -d "$base.files" ]; then cp -r "$base.files/." "$work/cwd/"; fi
  status=0
  (cd "$work/cwd" && timeout -k 10 90 "$@" "${args[@]}" <"$base.in" >"$work/out" 2>"$work/err") ||
    status=$?
}

# A run that Wine spoiled is made once more, except with a device, which
# would be found in another state.
attempts=2
if [ -f "$base.device" ]; then
  start_device
  attempts=1
fi
for attempt in $(seq "$attempts"); do
  run_once "$@"
  wine_spoiled "$status" "$work/out" "$work/err" || break
  wine_spoiled_note "$attempt" "$attempts" "transcript $name" "$status" 2>&1
done

# The expected file $1 of this transcript: the variant's own when it has one.
expected() {
  if [ -n "$variant" ] && [ -f "$base.$variant.$1" ]; then
    echo "$base.$variant.$1"
  else
    echo "$base.$1"
  fi
}
want_out=$(expected out)
want_status=0
[ -f "$(expected status)" ] && want_status=$(cat "$(expected status)")

perl -0777 -pe 's/\r\n/\n/g' "$work/out" >"$work/out.lf"
failed=0
if ! cmp -s "$want_out" "$work/out.lf"; then
  failed=1
  echo "$name: output differs from $(basename "$want_out") ($(cmp "$want_out" "$work/out.lf" 2>&1 | head -1))"
  echo "--- expected / +++ got (cat -A: ^G BEL, ^I tab, ^M CR, \$ line end)"
  diff -u <(cat -A "$want_out") <(cat -A "$work/out.lf") | tail -n +3 | head -60 || true
fi
if [ "$status" = 124 ]; then
  failed=1
  echo "$name: the program did not finish within 90 s"
elif [ "$status" != "$want_status" ]; then
  failed=1
  echo "$name: exit status $status, expected $want_status"
fi
if [ "$failed" = 1 ] && [ -s "$work/err" ]; then
  echo "--- standard error:"
  head -c 4000 "$work/err"
fi
if [ "$failed" = 1 ] && [ -n "$device_pid" ] && [ -s "$work/device.log" ]; then
  echo "--- device:"
  head -c 4000 "$work/device.log"
fi
exit "$failed"
