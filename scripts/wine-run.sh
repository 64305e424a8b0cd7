#!/usr/bin/env bash
# Runs a program of the Windows build under Wine: the cross build's
# CMAKE_CROSSCOMPILING_EMULATOR, and a way to try the .exe by hand.
#
#   scripts/wine-run.sh [--gtest] [--com N=PATH]... PROGRAM.exe [ARGUMENTS...]
#
# --gtest       runs a GoogleTest binary for ctest: no input, its CR LF line
#               ends given back as LF (CMake parses the test list), and a run
#               that Wine itself spoiled (wine_spoiled) made once more.
# --com N=PATH  makes COMN the device PATH (a serial port or an emulator's
#               pseudo-terminal) for this run; KTREVA_WINE_COM="N=PATH ..."
#               does the same. With a COM port mapped the run gets a prefix
#               and a Wine server of its own, ended before this script
#               returns, so the caller may close the device afterwards.
# Without --com, programs share the prefix build/wine/prefix and one server.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh"

gtest=0
ports=()
read -r -a ports <<<"${KTREVA_WINE_COM:-}"
while [ $# -gt 0 ]; do
  case "$1" in
    --gtest) gtest=1 ;;
    --com) ports+=("$2") && shift ;;
    --com=*) ports+=("${1#--com=}") ;;
    *) break ;;
  esac
  shift
done
[ $# -ge 1 ] || { echo "usage: wine-run.sh [--gtest] [--com N=PATH]... PROGRAM.exe [ARGS...]" >&2; exit 2; }

# Runs a GoogleTest binary, $attempts times at most while Wine spoils the run.
attempts=2
run_gtest() {
  local tmp status=0
  tmp=$(mktemp -d)
  for attempt in $(seq "$attempts"); do
    status=0
    wine "$@" </dev/null >"$tmp/out" 2>"$tmp/err" || status=$?
    wine_spoiled "$status" "$tmp/out" "$tmp/err" || break
    wine_spoiled_note "$attempt" "$attempts" "$*" "$status"
  done
  perl -pe 's/\r\n/\n/' "$tmp/out"
  cat "$tmp/err" >&2
  rm -rf "$tmp"
  return "$status"
}

if [ ${#ports[@]} -eq 0 ]; then
  wine_shared_prefix
  export WINEPREFIX=$KTREVA_WINE_PREFIX
  wine_start
  [ "$gtest" = 1 ] || exec wine "$@"
  run_gtest "$@"
  exit
fi

# A prefix and a server of this run's own. A device has been talked to: a
# second run would find it in another state.
attempts=1
wine_template
WINEPREFIX=$(mktemp -d "$KTREVA_WINE_DIR/run.XXXXXX")
export WINEPREFIX
cleanup() {
  wine_stop
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP
wine_copy_template "$WINEPREFIX"
for port in "${ports[@]}"; do
  number=${port%%=*}
  path=${port#*=}
  [[ "$number" =~ ^[1-9][0-9]*$ && -n "$path" && "$port" == *=* ]] || {
    echo "wine-run.sh: bad --com value: $port (expected N=PATH)" >&2
    exit 2
  }
  # A terminal that is not raw would turn a 0x03 from the device into a
  # signal to the server.
  if [ -c "$path" ] && ! stty -F "$path" raw -echo 2>/dev/null; then
    echo "wine-run.sh: COM$number: $path is not a terminal; left as it is" >&2
  fi
  wine_map_port "$WINEPREFIX" "$number" "$path"
done
wine_start
# The mount manager links the listed ports as the server starts.
for port in "${ports[@]}"; do
  link=$WINEPREFIX/dosdevices/com${port%%=*}
  for _ in $(seq 100); do
    [ "$(readlink "$link")" = "${port#*=}" ] && break
    sleep 0.1
  done
  if [ "$(readlink "$link")" != "${port#*=}" ]; then
    echo "wine-run.sh: COM${port%%=*} did not map to ${port#*=}" >&2
    exit 2
  fi
done
# In the background, so that a signal to this script (a test's timeout)
# runs the cleanup at once instead of after the program.
status=0
if [ "$gtest" = 1 ]; then
  run_gtest "$@" &
else
  wine "$@" <&0 &
fi
wait $! || status=$?
exit "$status"
