# Wine for the Windows tests: a template prefix made once and copied for each
# run, and a Wine server started and stopped in the order that keeps the
# tests' output pipes free. Sourced by wine-run.sh and wine-test.sh.
#
# Why the order matters:
# - A server that `wine` starts by itself keeps the caller's stderr open, so
#   the server is started first, detached, with its streams on /dev/null. It
#   persists 5 s after its last program ends, then exits by itself.
# - Wine's own services start with the first program of a server and inherit
#   its standard streams; a warm-up program with all three on /dev/null goes
#   first, or they would hold the first test's output open until the server
#   ends.
# - A pseudo-terminal that a program opens becomes the server's controlling
#   terminal: the server must end before the terminal's other side closes.

KTREVA_TOP=${KTREVA_TOP:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
KTREVA_WINE_DIR=${KTREVA_WINE_DIR:-$KTREVA_TOP/build/wine}
KTREVA_WINE_TEMPLATE=$KTREVA_WINE_DIR/template
# The prefix the tests share; wine-test.sh makes it afresh for every run.
KTREVA_WINE_PREFIX=${KTREVA_WINE_PREFIX:-$KTREVA_WINE_DIR/prefix}

export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="

# Runs the rest of the arguments holding an exclusive lock on file $1, on
# descriptor 9. Wine programs started under the lock close it (9>&-): a
# server that inherited it would hold the lock for as long as it runs.
wine_locked() {
  local lock=$1
  shift
  mkdir -p "$(dirname "$lock")"
  (
    flock 9
    "$@"
  ) 9>"$lock"
}

wine_version() { wine --version 2>/dev/null; }

# The template prefix, made when missing or made by another Wine version.
wine_template() {
  wine_locked "$KTREVA_WINE_DIR/template.lock" wine_make_template
}

wine_make_template() {
  local stamp=$KTREVA_WINE_TEMPLATE/ktreva-wine-version
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$(wine_version)" ]; then return 0; fi
  local new=$KTREVA_WINE_TEMPLATE.new
  rm -rf "$new" "$KTREVA_WINE_TEMPLATE"
  mkdir -p "$new"
  echo "ktreva: making the Wine template prefix (once)" >&2
  WINEPREFIX=$new wineboot -i </dev/null >/dev/null 2>&1 9>&-
  # A clean end saves the registry to the prefix.
  WINEPREFIX=$new wineserver -w </dev/null >/dev/null 2>&1 9>&-
  wine_version >"$new/ktreva-wine-version"
  mv "$new" "$KTREVA_WINE_TEMPLATE"
}

# Copies the template to prefix $1: the big tree as hard links, the files
# that Wine rewrites in place (the registry among them) as real copies.
wine_copy_template() {
  local dest=$1
  rm -rf "$dest"
  mkdir -p "$dest"
  cp -al "$KTREVA_WINE_TEMPLATE/drive_c" "$dest/"
  cp -a "$KTREVA_WINE_TEMPLATE/dosdevices" "$dest/"
  find "$KTREVA_WINE_TEMPLATE" -maxdepth 1 -type f -exec cp {} "$dest/" \;
}

# The shared prefix, copied from the template when missing.
wine_shared_prefix() {
  wine_template
  [ -f "$KTREVA_WINE_PREFIX/system.reg" ] && return 0
  wine_locked "$KTREVA_WINE_DIR/prefix.lock" wine_copy_shared
}

wine_copy_shared() {
  [ -f "$KTREVA_WINE_PREFIX/system.reg" ] || wine_copy_template "$KTREVA_WINE_PREFIX"
}

# Starts the server of $WINEPREFIX with its warm-up, unless it runs already.
wine_start() {
  wine_locked "$WINEPREFIX/ktreva-server.lock" wine_start_unlocked
}

wine_start_unlocked() {
  # A second server for the same prefix refuses to start (exit status 2).
  if wineserver -p5 </dev/null >/dev/null 2>&1 9>&-; then
    wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 9>&- || true
  fi
}

# Ends the server of $WINEPREFIX and every Wine program in it.
wine_stop() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
}

# Lists COM port N as the device PATH in the registry of prefix $1, for the
# mount manager to link at the server's start. Listed ports are never
# reassigned to the machine's own serial ports.
wine_map_port() {
  local prefix=$1 number=$2 path=$3
  path=${path//\\/\\\\}
  path=${path//\"/\\\"}
  printf '\n[Software\\\\Wine\\\\Ports]\n"COM%s"="%s"\n' "$number" "$path" >>"$prefix/system.reg"
}

# Whether Wine itself spoiled a run that ended with status $1, standard
# output in file $2 and standard error in file $3: a failure with no output
# at all (the program never started), or glibc's loader aborting Wine's exit,
# which loses the program's status. Both come about once in 2000 runs of a
# test suite (Wine 8.0, glibc 2.36); the programs tested here always print.
wine_spoiled() {
  [ "$1" != 0 ] || return 1
  if [ ! -s "$2" ] && [ ! -s "$3" ]; then return 0; fi
  grep -q 'Inconsistency detected by ld.so: dl-fini.c' "$3"
}

# Says that run $1 of $2 of program $3 was spoiled (status $4), on standard
# error and in build/wine/spoiled.log, which wine-test.sh sums up.
wine_spoiled_note() {
  local note="Wine spoiled run $1 of $2 of $3 (status $4)"
  echo "$note" >&2
  mkdir -p "$KTREVA_WINE_DIR"
  echo "$(date '+%F %T') $note" >>"$KTREVA_WINE_DIR/spoiled.log"
}
