#!/usr/bin/env bash
# Builds everything and runs every test: the release build with its unit,
# pseudo-terminal and end-to-end tests, the same suite under the address and
# undefined-behaviour sanitizers, and the Windows cross build with its unit
# and end-to-end tests run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev srecord \
  librsvg2-bin libxml2-utils libpng-dev libedit-dev \
  g++-mingw-w64-x86-64
for preset in default asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
bash scripts/wine-test.sh
bash scripts/package-check.sh
echo "All tests passed; Windows build: build/windows/src/ktreva-host.exe"
