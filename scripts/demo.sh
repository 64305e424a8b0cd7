#!/usr/bin/env bash
# Builds ktreva-host and runs it on the example station and rules files.
# Pass --interactive to get the Command> prompt yourself instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev
cmake --preset default >/dev/null
cmake --build --preset default --target ktreva-host
bin=build/default/src/ktreva-host
if [ "${1:-}" = "--interactive" ]; then
  exec "$bin"
fi
cd examples
"../$bin" <demo-session.txt || true
