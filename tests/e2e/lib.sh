# The end-to-end suite's helpers: a fresh Wine prefix per scenario, running Windows programs
# in it, and looking at what they left from the Linux side.
# Needs: WINE_RUN (cmake/wine-run.sh), SETUP_EXE, UIDRIVER_EXE, PNC_EXE, SHOTS (a folder).

set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
FAILURES=0

fail() {
  echo "FAIL: $*"
  FAILURES=$((FAILURES + 1))
}

# expect_eq ACTUAL EXPECTED WHAT
expect_eq() {
  if [ "$1" != "$2" ]; then fail "$3: got '$1', expected '$2'"; else echo "ok: $3"; fi
}

expect_file() { [ -f "$1" ] && echo "ok: file $1" || fail "missing file $1"; }
expect_no_file() { [ ! -e "$1" ] && echo "ok: no $1" || fail "unexpected $1"; }

new_prefix() {
  PREFIX=$(mktemp -d "${TMPDIR:-/tmp}/pennacle-e2e.XXXXXX")
  rmdir "$PREFIX"
  export PENNACLE_WINE_KEEP_PREFIX=$PREFIX
  "$WINE_RUN" --prepare || { echo "cannot make a prefix"; exit 125; }
  C="$PREFIX/drive_c"
  mkdir -p "$C/e2e/shots"
  cp "$SETUP_EXE" "$C/e2e/setup.exe"
  cp "$UIDRIVER_EXE" "$C/e2e/uidriver.exe"
  cp "$PNC_EXE" "$C/e2e/pnc.exe"
  DEST="$C/Program Files/Pennacle"
  DATA="$C/ProgramData/Pennacle"
  USERREG="$PREFIX/user.reg"
  SYSREG="$PREFIX/system.reg"
}

cleanup_prefix() {
  [ -n "${KEEP_E2E_PREFIX:-}" ] || rm -rf "$PREFIX"
}

# Runs a Windows program in the scenario's prefix; its exit code is the program's.
wine_run() { "$WINE_RUN" "$@"; }

# A drive letter mapped to a Linux folder, of a type Wine reports (hd, removable, cdrom).
add_drive() {
  local letter=$1 type=$2 folder=$3
  mkdir -p "$folder"
  ln -sfn "$folder" "$PREFIX/dosdevices/$letter:"
  wine_run reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /t REG_SZ /d "$type" /f >/dev/null
}

# A value of the current user's (user.reg) or the machine's (system.reg) registry.
reg_value() { python3 "$HERE/regvalue.py" "$@"; }

# Runs a driver script (from standard input) and prints what the driver saw.
drive_ui() {
  cat >"$C/e2e/script.txt"
  wine_run 'C:\e2e\uidriver.exe' 'C:\e2e\script.txt'
}

# The screenshots of the driver's run, as PNG under SHOTS.
collect_shots() {
  mkdir -p "$SHOTS"
  for bmp in "$C"/e2e/shots/*.bmp; do
    [ -f "$bmp" ] && convert "$bmp" "$SHOTS/$(basename "${bmp%.bmp}").png"
  done
  return 0
}

# The lines of a CR LF text file, without their CR.
lines_of() { tr -d '\r' <"$1"; }

finish() {
  cleanup_prefix
  if [ "$FAILURES" -ne 0 ]; then
    echo "$FAILURES failure(s)"
    exit 1
  fi
  echo "passed"
}
