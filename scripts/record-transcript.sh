#!/usr/bin/env bash
# Records tests/transcripts/NAME.out (and NAME.err, NAME.status) from the
# built program, starting NAME.before first when there is one, as the test
# does. The recording is only a draft: read it against the expected texts
# before committing it, since the test will hold the program to it byte for
# byte. The files a started program leaves are shown, not recorded.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin=${KTREVA_HOST:-$top/build/default/src/ktreva-host}
emu=${KTREVA_EMU:-$top/build/default/emulator/ktreva-emu}
for name in "$@"; do
  base=$top/tests/transcripts/$name
  scratch=$(mktemp -d)
  [ -d "$base.files" ] && cp -r "$base.files/." "$scratch/"
  [ -f "$base.fifos" ] && while read -r fifo; do [ -n "$fifo" ] && mkfifo "$scratch/$fifo"; done <"$base.fifos"
  out=
  before_pid=
  if [ -f "$base.before" ]; then
    mapfile -t before <"$base.before"
    before=("${before[@]//@EMU@/$emu}")
    mkfifo "$scratch/.before.in" "$scratch/.before.out"
    (cd "$scratch" && exec "${before[@]}" <"$scratch/.before.in" >"$scratch/.before.out") &
    before_pid=$!
    exec 7>"$scratch/.before.in" 8<"$scratch/.before.out"
    read -r out <&8
  fi
  args=()
  [ -f "$base.args" ] && mapfile -t args <"$base.args"
  args=("${args[@]//@OUT@/$out}")
  status=0
  (cd "$scratch" && "$bin" "${args[@]}" <"$base.in" >"$base.out" 2>"$base.err") || status=$?
  if [ -n "$before_pid" ]; then
    exec 7>&- && kill "$before_pid" 2>/dev/null || true
    cat <&8 >/dev/null || true
    exec 8<&-
    wait "$before_pid" || true
    for f in "$scratch"/*; do
      if [ ! -f "$base.files/$(basename "$f")" ]; then
        echo "--- left $(basename "$f"):"
        cat "$f"
      fi
    done
  fi
  rm -rf "$scratch"
  [ -s "$base.err" ] || rm -f "$base.err"
  if [ "$status" = 0 ]; then rm -f "$base.status"; else echo "$status" >"$base.status"; fi
  echo "$name: status $status, $(wc -c <"$base.out") bytes"
done
