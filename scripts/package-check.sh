#!/usr/bin/env bash
# Builds the release packages and checks them: the Debian package from the
# default build (lintian without errors, the files it must hold, the packaged
# program runs and reports the package's version) and the Windows zip from
# the cross build (the program, README.txt with CR LF line ends, the examples,
# the map's geography beside the program).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh cmake ninja-build g++ libedit-dev g++-mingw-w64-x86-64 dpkg-dev lintian unzip
out=build/packages
failures=0
fail() {
  echo "package-check: $*" >&2
  failures=$((failures + 1))
}

for preset in default windows; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" >/dev/null
done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
rm -f "$out"/ktreva-host[_-]*.deb "$out"/ktreva-host[_-]*.zip
for preset in deb windows-zip; do
  cpack --preset "$preset" >"$root/cpack.log" 2>&1 || { cat "$root/cpack.log"; exit 1; }
done
deb=$(ls "$out"/ktreva-host_*.deb)
zip=$(ls "$out"/ktreva-host-*.zip)

programs=(ktreva-host)
[ -f emulator/CMakeLists.txt ] && programs+=(ktreva-emu)
mapfile -t examples < <(cd examples && ls)

# The Debian package.
echo "lintian $deb:"
lint=0
lintian --fail-on error --display-info "$deb" >"$root/lintian.txt" 2>&1 || lint=$?
grep -v 'running with root privileges' "$root/lintian.txt" || true
if [ "$lint" -ne 0 ] || grep -q '^E:' "$root/lintian.txt"; then fail "lintian reports errors"; fi
listing=$(dpkg -c "$deb" | awk '{print $6}')
doc=./usr/share/doc/ktreva-host
wanted=("$doc/README.md" "$doc/copyright" "$doc/changelog.gz" ./usr/share/ktreva-host/ktreva-geo.dat)
for p in "${programs[@]}"; do wanted+=("./usr/bin/$p" "./usr/share/man/man1/$p.1.gz"); done
for e in "${examples[@]}"; do wanted+=("$doc/examples/$e"); done
for f in "${wanted[@]}"; do
  grep -qxF "$f" <<<"$listing" || fail "$deb lacks $f"
done

dpkg-deb -x "$deb" "$root"
version=$(dpkg-deb -f "$deb" Version)
reported=$("$root/usr/bin/ktreva-host" --version)
[[ "$reported" == "ktreva-host $version "* ]] || fail "--version says '$reported', the package is $version"
printf 'x\n' | "$root/usr/bin/ktreva-host" >/dev/null || fail "the packaged program does not run"
# The packaged program finds the packaged geography from its own folder.
"$root/usr/bin/ktreva-host" --map "$root/map.svg" --rules examples/filters.txt >/dev/null &&
  grep -q 'class="geo coast"' "$root/map.svg" || fail "the packaged program draws no geography"
# The prompt's line editor comes with libedit, which the package then needs.
dpkg-deb -f "$deb" Depends | grep -q 'libedit2' || fail "$deb does not depend on libedit2"

# The Windows zip.
names=$(unzip -Z1 "$zip")
for f in ktreva-host.exe ktreva-geo.dat README.txt "${examples[@]/#/examples/}"; do
  grep -qx "[^/]*/$f" <<<"$names" || fail "$zip lacks $f"
done
bare_lf=$(unzip -p "$zip" '*/README.txt' | grep -cv $'\r$' || true)
[ "$bare_lf" -eq 0 ] || fail "README.txt has $bare_lf lines without CR LF"

ls -l "$deb" "$zip"
[ "$failures" -eq 0 ] || exit 1
echo "Packages checked: $deb, $zip"
