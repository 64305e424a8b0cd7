#!/usr/bin/env bash
# Runs every libFuzzer target of fuzz/ (clang, address and undefined-behaviour
# sanitizers) for SECONDS each, one after the other (default 60), starting from
# a copy of its seed corpus, and prints its runs and crashes. What a run finds
# and the corpus it grew stay in build/fuzz/work/NAME/ (log, artifacts/).
# Exits non-zero when any target crashed or a sanitizer reported.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bash scripts/deps.sh clang cmake ninja-build
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null
failed=0
printf '%-20s %11s %8s %10s %8s %8s\n' target runs runs/s runs/cpu-s crashes reports
TIMEFORMAT='%U %S' # the fuzzer's own processor time: the machine may be shared
for bin in build/fuzz/fuzz/*_fuzz; do
  name=$(basename "$bin")
  dir=build/fuzz/work/$name
  rm -rf "$dir"
  mkdir -p "$dir/corpus" "$dir/artifacts"
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$dir/corpus/"
  { time "$bin" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$dir/artifacts/" "$dir/corpus" >"$dir/log" 2>&1 || true; } 2>"$dir/cpu"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log" | tail -1)
  crashes=$(find "$dir/artifacts" -type f | wc -l)
  reports=$(grep -cE 'ERROR: [A-Za-z]+Sanitizer|runtime error:' "$dir/log" || true)
  cpu=$(awk '{ print $1 + $2 }' "$dir/cpu")
  printf '%-20s %11s %8s %10s %8s %8s\n' "$name" "${runs:-0}" "$((${runs:-0} / seconds))" \
    "$(awk -v r="${runs:-0}" -v c="$cpu" 'BEGIN { printf "%d", (c > 0 ? r / c : 0) }')" \
    "$crashes" "$reports"
  if [ "$crashes" -ne 0 ] || [ "$reports" -ne 0 ]; then
    echo "  see $dir/log and $dir/artifacts/"
    failed=1
  fi
done
exit "$failed"
