#!/usr/bin/env bash
# Drafts tests/transcripts/NAME.out (and NAME.err, NAME.status) from the
# built program, through the transcript runner, device and all. The recording
# is only a draft: read it against the expected texts (cat -A) before
# committing it, since the test will hold the program to it byte for byte.
#
#   scripts/record-transcript.sh NAME...
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bin=${KTREVA_HOST:-$top/build/default/src/ktreva-host}
export KTREVA_EMU=${KTREVA_EMU:-$top/build/default/emulator/ktreva-emu}
for name in "$@"; do
  bash "$top/tests/run_transcript.sh" --record "$top/tests/transcripts/$name" "$bin"
done
