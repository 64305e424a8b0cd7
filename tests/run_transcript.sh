#!/usr/bin/env bash
# The transcript runner, for the native build and for the Windows build under
# Wine alike: it runs a program (ktreva-host, or the Wine wrapper and the
# .exe) on one recorded session and checks what it did.
#
#   run_transcript.sh [--platform posix|windows] [--record] TRANSCRIPT_BASE COMMAND...
#
# --record writes what the run did as NAME.out, NAME.err (when not empty) and
# NAME.status or NAME.signal (when not 0), and shows the files it left, in
# place of the checks: a draft, to be read byte for byte before it is kept.
#
# A transcript is the set of files tests/transcripts/NAME.*:
#
#   NAME.in       standard input of the run (the one file every transcript has)
#   NAME.out      standard output, byte for byte
#   NAME.err      standard error, byte for byte; without it, none is expected
#   NAME.status   the exit status; without it, 0
#   NAME.signal   the number of the signal that ends the run (6: abort); the
#                 shell's status for it, 128 + N, takes the place of NAME.status
#   NAME.args     extra command-line arguments, one to a line
#   NAME.files/   files copied into the scratch folder the run works in
#   NAME.fifos    FIFOs to make in the scratch folder, one name to a line
#                 (git keeps none)
#   NAME.device   one line "N COMMAND": a device started in the scratch folder
#                 before the run and stopped after it, reached as COM port N.
#                 @PTY@ in COMMAND is the path where the device makes its end
#                 of the line appear, @EMU@ the emulator ($KTREVA_EMU, by
#                 default the native build's ktreva-emu). The line is set raw
#                 once before the run, so the device's first host session is
#                 that setting (mind it in "@N" faults); the program's own
#                 sessions follow.
#   NAME.expect/  files that the scratch folder must hold after the run, with
#                 these bytes (a device's dump, say)
#   NAME.trace    the bytes the program wrote to the port, one line of hex
#                 for each write: with it the run has --trace (after
#                 NAME.args), and the TX lines of its trace must hold them
#   NAME.posix    the session belongs to POSIX only; the file says why, and
#                 the Windows run skips it (exit 77)
#
# A platform may answer a session otherwise: NAME.P.out, NAME.P.err and
# NAME.P.status, where present, take the place of NAME.out, NAME.err and
# NAME.status on platform P (posix, windows).
#
# On Windows a console program ends its lines with CR LF, so each CR LF of its
# output counts as LF there; every other byte, a lone CR included, must
# match. COM port N is mapped to the device in Wine's registry (wine-run.sh,
# which sets the line raw itself), where the native run passes --com N=PATH
# ahead of NAME.args. A Windows run that Wine itself spoiled (wine_spoiled in
# scripts/wine-lib.sh) is made once more, unless a device took part: it would
# be found in another state.
set -euo pipefail
platform=posix
record=0
while [ $# -gt 0 ]; do
  case "$1" in
    --platform) platform=$2 && shift ;;
    --record) record=1 ;;
    *) break ;;
  esac
  shift
done
base=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shift
name=$(basename "$base")
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ "$platform" = windows ] && source "$top/scripts/wine-lib.sh"

if [ "$platform" = windows ] && [ -f "$base.posix" ]; then
  echo "$name: POSIX only: $(head -1 "$base.posix")"
  exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/ktreva-transcript-$name.XXXXXX")
device_pid=""
stop_device() {
  if [ -n "$device_pid" ]; then
    kill "$device_pid" 2>/dev/null || true
    wait "$device_pid" 2>/dev/null || true
    device_pid=""
  fi
}
cleanup() {
  stop_device
  rm -rf "$work"
}
trap cleanup EXIT

make_scratch() {
  rm -rf "$work/cwd"
  mkdir "$work/cwd"
  if [ -d "$base.files" ]; then cp -r "$base.files/." "$work/cwd/"; fi
  if [ -f "$base.fifos" ]; then
    while read -r fifo; do
      [ -n "$fifo" ] && mkfifo "$work/cwd/$fifo"
    done <"$base.fifos"
  fi
}

args=()
[ -f "$base.args" ] && mapfile -t args < <(grep -v '^$' "$base.args")
[ -f "$base.trace" ] && args+=(--trace wire-trace.txt)

# The hex of the TX lines of the run's trace, one line for each write.
trace_tx() {
  sed -n 's/^[0-9.]* TX [^:]*: \([0-9a-f ]*\)|.*$/\1/p' "$work/cwd/wire-trace.txt" 2>/dev/null |
    sed 's/ $//'
}

start_device() {
  local number command pty=$work/device-pty
  read -r number command <"$base.device"
  command=${command//@PTY@/$pty}
  local emu=${KTREVA_EMU:-$top/build/default/emulator/ktreva-emu}
  if [[ "$command" == *@EMU@* && ! -x "$emu" ]]; then
    # Only a POSIX build without the emulator (it needs Linux) goes without.
    if [ "$platform" = posix ] && [ -z "${KTREVA_EMU:-}" ]; then
      echo "$name: no ktreva-emu in this build"
      exit 77
    fi
    echo "$name: the device emulator $emu is not there" >&2
    exit 1
  fi
  command=${command//@EMU@/$emu}
  local words
  read -r -a words <<<"$command"
  (cd "$work/cwd" && exec "${words[@]}") >"$work/device.log" 2>&1 &
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
  if [ "$platform" = windows ]; then
    export KTREVA_WINE_COM="$number=$pty"
  else
    stty -F "$pty" raw -echo
    args=(--com "$number=$pty" "${args[@]}")
  fi
}

run_once() {
  status=0
  (cd "$work/cwd" && timeout -k 10 90 "$@" "${args[@]}" <"$base.in" >"$work/out" 2>"$work/err") ||
    status=$?
}

make_scratch
attempts=1
[ "$platform" = windows ] && attempts=2
if [ -f "$base.device" ]; then
  start_device
  attempts=1
fi
for attempt in $(seq "$attempts"); do
  [ "$attempt" = 1 ] || make_scratch
  run_once "$@"
  [ "$platform" = windows ] || break
  wine_spoiled "$status" "$work/out" "$work/err" || break
  wine_spoiled_note "$attempt" "$attempts" "transcript $name" "$status" 2>&1
done
# Before the checks, so that the device log shown on a failure is whole.
stop_device

if [ "$record" = 1 ]; then
  cp "$work/out" "$base.out"
  if [ -s "$work/err" ]; then cp "$work/err" "$base.err"; else rm -f "$base.err"; fi
  rm -f "$base.status" "$base.signal"
  if [ "$status" -gt 128 ]; then
    echo $((status - 128)) >"$base.signal"
  elif [ "$status" != 0 ]; then
    echo "$status" >"$base.status"
  fi
  [ -f "$base.trace" ] && trace_tx >"$base.trace"
  echo "$name: status $status, $(wc -c <"$base.out") bytes of output"
  for f in "$work/cwd"/*; do
    [ -f "$f" ] && [ ! -e "$base.files/$(basename "$f")" ] || continue
    echo "--- the run left $(basename "$f"):"
    head -c 4000 "$f"
  done
  exit 0
fi

# The expected file of this transcript with suffix $1: the platform's own
# where it has one; /dev/null where there is none.
expected() {
  if [ -f "$base.$platform.$1" ]; then
    echo "$base.$platform.$1"
  elif [ -f "$base.$1" ]; then
    echo "$base.$1"
  else
    echo /dev/null
  fi
}
want_status=0
[ -f "$base.signal" ] && want_status=$((128 + $(cat "$base.signal")))
[ "$(expected status)" != /dev/null ] && want_status=$(cat "$(expected status)")

failed=0
# Compares file $2 with the expected file $1, as the output named $3.
check_bytes() {
  local want=$1 got=$2 what=$3
  if [ "$platform" = windows ]; then
    perl -0777 -pe 's/\r\n/\n/g' "$got" >"$got.lf"
    got=$got.lf
  fi
  cmp -s "$want" "$got" && return 0
  failed=1
  echo "$name: $what differs from $(basename "$want") ($(cmp "$want" "$got" 2>&1 | head -1))"
  echo "--- expected / +++ got (cat -A: ^G BEL, ^I tab, ^M CR, \$ line end)"
  diff -u <(cat -A "$want") <(cat -A "$got") | tail -n +3 | head -60 || true
}

check_bytes "$(expected out)" "$work/out" "standard output"
check_bytes "$(expected err)" "$work/err" "standard error"
if [ "$status" = 124 ]; then
  failed=1
  echo "$name: the program did not finish within 90 s"
elif [ "$status" != "$want_status" ]; then
  failed=1
  echo "$name: exit status $status, expected $want_status"
fi
if [ -f "$base.trace" ]; then
  trace_tx >"$work/trace-tx"
  cmp -s "$base.trace" "$work/trace-tx" || {
    failed=1
    echo "$name: the trace's TX bytes differ:"
    diff -u "$base.trace" "$work/trace-tx" | tail -n +3 | head -40 || true
  }
fi
if [ -d "$base.expect" ]; then
  for want in "$base.expect"/*; do
    got=$work/cwd/$(basename "$want")
    if [ ! -f "$got" ]; then
      failed=1
      echo "$name: the run left no $(basename "$want")"
    elif ! cmp -s "$want" "$got"; then
      failed=1
      echo "$name: $(basename "$want") differs:"
      diff -u "$want" "$got" | tail -n +3 | head -40 || true
    fi
  done
fi
if [ "$failed" = 1 ] && [ -s "$work/device.log" ]; then
  echo "--- device:"
  head -c 4000 "$work/device.log"
fi
exit "$failed"
