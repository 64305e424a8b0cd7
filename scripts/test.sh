#!/usr/bin/env bash
# Builds everything and runs every test: the format check; the release build,
# its unit tests, clang-tidy over its sources, then its pseudo-terminal and
# end-to-end tests and its run over the kernel's own serial drivers under QEMU
# (scripts/real-drivers.sh); the same suite under the address and
# undefined-behaviour sanitizers; and the Windows cross build with its unit and
# end-to-end tests run under Wine. Every build treats warnings as errors. The
# quick checks come first, so that a misformatted file or a broken unit fails
# within minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev srecord \
  librsvg2-bin libxml2-utils libpng-dev libedit-dev \
  g++-mingw-w64-x86-64 git clang-format clang-tidy python3

# Runs a step and says how long it took.
step() {
  local start=$SECONDS
  "$@"
  echo "test.sh: $* took $((SECONDS - start)) s"
}

step bash scripts/lint.sh --format
cmake --preset default -DKTREVA_WERROR=ON >/dev/null
step cmake --build --preset default
step ctest --preset default -L unit
step bash scripts/lint.sh --tidy
step ctest --preset default -LE unit
step bash scripts/real-drivers.sh
cmake --preset asan -DKTREVA_WERROR=ON >/dev/null
step cmake --build --preset asan
step ctest --preset asan
KTREVA_WERROR=ON step bash scripts/wine-test.sh
step bash scripts/package-check.sh
echo "All tests passed; Windows build: build/windows/src/ktreva-host.exe"
