#!/usr/bin/env bash
# Style and static checks of the C++ sources, each failing on any finding:
#   --format  clang-format (root .clang-format) over every tracked .cpp and .h;
#             names each file that differs, with its differences.
#   --tidy    clang-tidy (root .clang-tidy) over the default build's compile
#             database: every translation unit of src/, emulator/, tests/ and
#             bench/. Configures the default build first when it has no
#             compile database yet.
# With no argument, both. Installs what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

format_check() {
  bash scripts/deps.sh git clang-format
  local list
  # A failing git (no work tree) must not pass as "no files to check".
  list=$(git ls-files -- '*.cpp' '*.h') || return 1
  if [ -z "$list" ]; then
    echo "lint: no tracked C++ files found" >&2
    return 1
  fi
  local files=()
  mapfile -t files <<<"$list"
  local out status=0
  out=$(clang-format --dry-run --Werror "${files[@]}" 2>&1) || status=$?
  if [ $status -eq 0 ]; then
    echo "lint: clang-format: all ${#files[@]} files are formatted"
    return 0
  fi
  local differ=()
  mapfile -t differ < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' \
    <<<"$out" | uniq)
  if [ ${#differ[@]} -eq 0 ]; then
    echo "$out" >&2
    echo "lint: clang-format failed" >&2
    return 1
  fi
  for file in "${differ[@]}"; do
    clang-format "$file" | diff -u --label "$file" --label "$file (clang-format)" "$file" - || true
  done
  echo "lint: ${#differ[@]} file(s) differ from clang-format (clang-format -i FILE):" >&2
  printf '  %s\n' "${differ[@]}" >&2
  return 1
}

tidy_check() {
  bash scripts/deps.sh cmake ninja-build g++ python3 clang-tidy
  local build=build/default
  [ -f $build/compile_commands.json ] || cmake --preset default >/dev/null
  # The database names files by the source path the build was configured
  # with; the pattern (on that absolute path) picks the project's folders.
  local source pattern count
  source=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' $build/CMakeCache.txt)
  pattern="^$(sed 's/[][\\.*^$+?(){}|]/\\&/g' <<<"$source")/(src|emulator|tests|bench)/"
  count=$(python3 -c 'import json, re, sys
print(sum(1 for e in json.load(open(sys.argv[1])) if re.search(sys.argv[2], e["file"])))' \
    $build/compile_commands.json "$pattern")
  if [ "$count" -eq 0 ]; then
    echo "lint: no translation unit of $build/compile_commands.json matches $pattern" >&2
    return 1
  fi
  echo "lint: clang-tidy over $count translation units"
  # run-clang-tidy colours its output; a log gets it plain. A failing
  # clang-tidy (a finding, or a file it cannot compile) fails the run.
  local plain=(cat)
  [ -t 1 ] || plain=(sed 's/\x1b\[[0-9;]*m//g')
  run-clang-tidy -quiet -j "$(nproc)" -p $build "$pattern" 2>&1 | "${plain[@]}"
}

parts=("$@")
[ ${#parts[@]} -eq 0 ] && parts=(--format --tidy)
for part in "${parts[@]}"; do
  case "$part" in
    --format) format_check ;;
    --tidy) tidy_check ;;
    *)
      echo "usage: $0 [--format] [--tidy]" >&2
      exit 2
      ;;
  esac
done
