#!/usr/bin/env bash
# Regenerates data/ktreva-geo.dat, the map's geography, from the package
# versions pinned in scripts/geo-data/package-lock.json (npm). The data file
# is committed: a build needs neither npm nor the network.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v node >/dev/null && command -v npm >/dev/null || bash scripts/deps.sh nodejs npm
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp scripts/geo-data/package.json scripts/geo-data/package-lock.json scripts/geo-data/build.js "$work"
(cd "$work" && npm ci --no-audit --no-fund --silent)
mkdir -p data
node "$work/build.js" data/ktreva-geo.dat
