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
  [ -n "${KEEP_E2E_PREFIX:-}" ] || rm -rf "$PREFIX" "$PREFIX-drives"
}

# Runs a Windows program in the scenario's prefix; its exit code is the program's.
wine_run() { "$WINE_RUN" "$@"; }

# A drive letter mapped to a Linux folder beside the prefix, of a type Wine reports: hd
# (fixed), floppy (removable), cdrom, network. Prints the folder.
add_drive() {
  local letter=$1 type=$2 folder="$PREFIX-drives/$1"
  mkdir -p "$folder"
  ln -sfn "$folder" "$PREFIX/dosdevices/$letter:"
  wine_run reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /t REG_SZ /d "$type" /f >/dev/null
  echo "$folder"
}

# A value of the current user's (user.reg) or the machine's (system.reg) registry.
reg_value() { python3 "$HERE/regvalue.py" "$@"; }

# Runs a driver script (from standard input) and prints what the driver saw.
drive_ui() {
  cat >"$C/e2e/script.txt"
  wine_run 'C:\e2e\uidriver.exe' 'C:\e2e\script.txt' | tr -d '\r'
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

# Where the sample product's file of that relative name is installed for a destination
# folder (Linux path) on an internal disk, with the data folders below ProgramData.
target_of() {
  local name=$1 dest=$2
  case "$name" in
    pnc.exe | License.txt) echo "$dest/$name" ;;
    Templates\\* | "Clip Library\\"* | Basic.snd) echo "$DATA/Public/${name//\\//}" ;;
    *) echo "$DATA/Public/Spellcheck/$name" ;;
  esac
}

# Every file of the product where it belongs, with its content and its date (the archive
# keeps the last-write time at 2-second resolution).
check_product_files() {
  local dest=$1 bad=0 name target source
  while IFS= read -r name; do
    name=${name%$'\r'}
    [ -n "$name" ] || continue
    source="$SAMPLE_DIR/${name//\\//}"
    target=$(target_of "$name" "$dest")
    if ! cmp -s "$source" "$target"; then
      fail "content of $target"
      bad=1
      continue
    fi
    local want=$(($(stat -c %Y "$source") / 2 * 2)) got
    got=$(stat -c %Y "$target")
    [ "$got" = "$want" ] || { fail "date of $target: $got, expected $want"; bad=1; }
  done <"$SAMPLE_DIR.lst"
  cmp -s "$SAMPLE_DIR/English (American).cache" "$DATA/Public/Spellcheck/English (British).cache" ||
    { fail "English (British).cache"; bad=1; }
  [ $bad = 0 ] && echo "ok: the product's 273 files with their contents and dates"
}

# The data files of one installation: the stamp, the common data file and the update log.
check_data_files() {
  expect_eq "$(stat -c %s "$DATA/Hidden/install_stamp" 2>/dev/null)" 8 "install_stamp size"
  local common
  common=$(python3 - "$DATA/pnc_common.dat" <<'PY'
import datetime, struct, sys
data = open(sys.argv[1], "rb").read()
a, b, when = struct.unpack("<IId", data)
day = datetime.date(1899, 12, 30) + datetime.timedelta(days=int(when))
print(len(data), a, b, day == datetime.date.today())
PY
)
  expect_eq "$common" "16 1 8 True" "pnc_common.dat: 16 bytes, 1, 8, today"
  local markers
  markers=$(lines_of "$DATA/Update.log" | grep -c '^\*')
  expect_eq "$markers" 1 "one block in Update.log"
  expect_eq "$(lines_of "$DATA/Update.log" | head -1 | grep -cE '^\*[0-9A-F]{16}$')" 1 "marker line"
  expect_eq "$(lines_of "$DATA/Update.log" | wc -l)" 273 "Update.log: marker and 272 public files"
}

# The Install key and the uninstall entry of an installation into DEST_WIN (a Windows path).
check_registry() {
  local dest_win=$1 comps=${2:-0x7ffffffe}
  local key='Software\Pennacle Word Processor\Install'
  local un='Software\Microsoft\Windows\CurrentVersion\Uninstall\Pennacle Word Processor'
  expect_eq "$(reg_value "$USERREG" "$key" MAINDIR)" "sz $dest_win" "MAINDIR"
  expect_eq "$(reg_value "$USERREG" "$key" 'COMPS (4.3.5)')" "dword $comps" "COMPS (4.3.5)"
  expect_eq "$(reg_value "$USERREG" "$key" INSTALLTOALL)" "dword 0x00000001" "INSTALLTOALL"
  expect_eq "$(reg_value "$USERREG" "$key" DSKSHORTCUT)" "dword 0x00000001" "DSKSHORTCUT"
  expect_eq "$(reg_value "$USERREG" "$key" LAUNCH)" "dword 0x00000001" "LAUNCH"
  expect_eq "$(reg_value "$SYSREG" "$un" DisplayIcon)" "sz $dest_win\\pnc.exe" "DisplayIcon"
  expect_eq "$(reg_value "$SYSREG" "$un" DisplayName)" "sz Pennacle Word Processor" "DisplayName"
  expect_eq "$(reg_value "$SYSREG" "$un" DisplayVersion)" "sz 4.3.7.3" "DisplayVersion"
  expect_eq "$(reg_value "$SYSREG" "$un" Publisher)" "sz The Pennacle Word Processor Team" "Publisher"
  expect_eq "$(reg_value "$SYSREG" "$un" UninstallString)" "sz \"$dest_win\\pnc.exe\" -ui" \
    "UninstallString"
  local kb=$(($(stat -c %s "$SAMPLE_DIR/pnc.exe") / 1024))
  expect_eq "$(reg_value "$SYSREG" "$un" EstimatedSize)" "$(printf 'dword 0x%08x' $kb)" "EstimatedSize"
}

# One field of lnkinfo's report.
lnk_field() { echo "$1" | sed -n "s/^[[:space:]]*$2[[:space:]]*: //p" | head -1; }

# The two all-users shortcuts point at the installed program.
check_shortcuts() {
  local dest_win=$1 link info
  for link in "$C/ProgramData/Microsoft/Windows/Start Menu/Programs/Pennacle Word Processor.lnk" \
    "$C/users/Public/Desktop/Pennacle Word Processor.lnk"; do
    if [ ! -f "$link" ]; then
      fail "missing shortcut $link"
      continue
    fi
    info=$(lnkinfo "$link" 2>&1)
    expect_eq "$(lnk_field "$info" 'Local path')" "$dest_win\\pnc.exe" "target of $link"
    expect_eq "$(lnk_field "$info" 'Working directory')" "$dest_win" "working folder of $link"
    expect_eq "$(lnk_field "$info" 'Description')" \
      "Compact, fast-loading, but still powerful and efficient word processor." \
      "description of $link"
  done
  echo "ok: shortcuts checked"
}

# The system's list of installed programs, as Wine's own uninstaller reads it.
check_listed() {
  wine_run uninstaller --list 2>/dev/null | tr -d '\r' | grep -q '|||Pennacle Word Processor$' &&
    echo "ok: listed as installed" || fail "not in the list of installed programs"
}
