#!/usr/bin/env bash
# Builds the Windows programs (MinGW-w64 cross build) and runs their tests
# under Wine: the unit tests and the transcripts against ktreva-host.exe.
# Installs what is missing, makes the Wine template prefix once
# (build/wine/template) and gives this run a fresh copy of it. No Wine
# process outlives the run, also when a test fails. Arguments go to ctest
# (e.g. -L unit, -R Transcript). KTREVA_WERROR=ON in the environment builds
# with warnings as errors (as the test command does); left unset, the build
# keeps the setting it has.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh cmake ninja-build googletest g++-mingw-w64-x86-64 wine wine64
source scripts/wine-lib.sh

cmake --preset windows ${KTREVA_WERROR:+"-DKTREVA_WERROR=$KTREVA_WERROR"} >/dev/null
cmake --build --preset windows

stop_all() {
  WINEPREFIX=$KTREVA_WINE_PREFIX wine_stop
  if [ -s "$KTREVA_WINE_DIR/spoiled.log" ]; then
    echo "Wine spoiled $(wc -l <"$KTREVA_WINE_DIR/spoiled.log") run(s), each made once more:"
    cat "$KTREVA_WINE_DIR/spoiled.log"
  fi
  # Runs with a COM port mapped clean up after themselves, unless killed.
  for prefix in "$KTREVA_WINE_DIR"/run.*; do
    [ -d "$prefix" ] || continue
    WINEPREFIX=$prefix wine_stop
    rm -rf "$prefix"
  done
}
trap stop_all EXIT
trap 'exit 143' TERM INT HUP
rm -f "$KTREVA_WINE_DIR/spoiled.log"

wine_template
# A fresh prefix, after the server of the last one (if still up) has ended.
WINEPREFIX=$KTREVA_WINE_PREFIX wine_stop
wine_locked "$KTREVA_WINE_DIR/prefix.lock" wine_copy_template "$KTREVA_WINE_PREFIX"
WINEPREFIX=$KTREVA_WINE_PREFIX wine_start
# ctest gets a process group of its own: an interrupted run ends it and the
# tests it runs before the servers stop, so that none starts a new one.
set -m
ctest --preset windows "$@" &
ctest_pid=$!
set +m
trap 'kill -- -"$ctest_pid" 2>/dev/null; exit 143' TERM INT HUP
wait "$ctest_pid"
