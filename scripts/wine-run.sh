#!/usr/bin/env bash
# Runs a program of the Windows build under Wine: the cross build's
# CMAKE_CROSSCOMPILING_EMULATOR, and a way to try the .exe by hand.
#
#   scripts/wine-run.sh [--lf] [--com N=PATH]... PROGRAM.exe [ARGUMENTS...]
#
# --lf          gives the program's CR LF line ends back as LF, for tools that
#               parse its output (the GoogleTest list). Line-buffered: not for
#               a session at the prompt.
# --com N=PATH  makes COMN the device PATH (a serial port or an emulator's
#               pseudo-terminal) for this run; KTREVA_WINE_COM="N=PATH ..."
#               does the same. With a COM port mapped the run gets a prefix
#               and a Wine server of its own, ended before this script
#               returns, so the caller may close the device afterwards.
# Without --com, programs share the prefix build/wine/prefix and one server.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-lib.sh"

lf=0
ports=()
read -r -a ports <<<"${KTREVA_WINE_COM:-}"
while [ $# -gt 0 ]; do
  case "$1" in
    --lf) lf=1 ;;
    --com) ports+=("$2") && shift ;;
    --com=*) ports+=("${1#--com=}") ;;
    *) break ;;
  esac
  shift
done
[ $# -ge 1 ] || { echo "usage: wine-run.sh [--lf] [--com N=PATH]... PROGRAM.exe [ARGS...]" >&2; exit 2; }

run_program() {
  if [ "$lf" = 1 ]; then
    wine "$@" | perl -pe 's/\r\n/\n/'
  else
    wine "$@"
  fi
}

if [ ${#ports[@]} -eq 0 ]; then
  wine_shared_prefix
  export WINEPREFIX=$KTREVA_WINE_PREFIX
  wine_start
  [ "$lf" = 1 ] || exec wine "$@"
  run_program "$@"
  exit
fi

# A prefix and a server of this run's own.
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
run_program "$@" <&0 &
wait $! || status=$?
exit "$status"
