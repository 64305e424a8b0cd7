#!/usr/bin/env bash
# Records tests/transcripts/NAME.out and NAME.status from the built program.
# The recording is only a draft: read it against the expected texts before
# committing it, since the test will hold the program to it byte for byte.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin=${KTREVA_HOST:-$top/build/default/src/ktreva-host}
for name in "$@"; do
  base=$top/tests/transcripts/$name
  scratch=$(mktemp -d)
  [ -d "$base.files" ] && cp -r "$base.files/." "$scratch/"
  [ -f "$base.fifos" ] && while read -r fifo; do [ -n "$fifo" ] && mkfifo "$scratch/$fifo"; done <"$base.fifos"
  args=()
  [ -f "$base.args" ] && mapfile -t args <"$base.args"
  status=0
  (cd "$scratch" && "$bin" "${args[@]}" <"$base.in" >"$base.out") || status=$?
  rm -rf "$scratch"
  if [ "$status" = 0 ]; then rm -f "$base.status"; else echo "$status" >"$base.status"; fi
  echo "$name: status $status, $(wc -c <"$base.out") bytes"
done
