# Silent runs into destinations at the edges: a drive that does not exist, a folder of 300
# characters, a name with the euro sign and e-acute, a share and a mapped network drive. Each
# ends with its exit code and writes only into its destination and the data folders.
source "$(dirname "$0")/../lib.sh"
new_prefix
key='Software\Pennacle Word Processor\Install'

snapshot() { find "$C" "$PREFIX-drives" -type f 2>/dev/null | sort; }

# The files a run added outside its destination (a Linux path) and the data folders, other
# than the product's shortcuts.
stray_files() {
  comm -13 <(echo "$1") <(snapshot) |
    grep -v -F -e "$2/" -e "$DATA/" | grep -v '/Pennacle Word Processor\.lnk$'
}

# install WHAT DEST_WIN DEST_LINUX: a silent run that must install the product there.
install() {
  local what=$1 dest_win=$2 dest=$3 before
  before=$(snapshot)
  wine_run 'C:\e2e\setup.exe' -s "-D$dest_win"
  expect_eq "$?" 0 "$what: exit code"
  cmp -s "$SAMPLE_DIR/pnc.exe" "$dest/pnc.exe" && echo "ok: $what: pnc.exe whole" ||
    fail "$what: pnc.exe not at $dest"
  # The log is in code page 1252; the line names the destination as given.
  iconv -f CP1252 -t UTF-8 "$dest/Install.log" | tr -d '\r' |
    grep -qxF "File Copy: $dest_win\\pnc.exe" && echo "ok: $what: logged" ||
    fail "$what: no log line for $dest_win\\pnc.exe"
  expect_eq "$(reg_value "$USERREG" "$key" MAINDIR)" "sz $dest_win" "$what: MAINDIR"
  expect_eq "$(stray_files "$before" "$dest")" "" "$what: nothing written elsewhere"
}

before=$(snapshot)
wine_run 'C:\e2e\setup.exe' -s '-DX:\One'
expect_eq "$?" 3 "missing drive: exit code (no free space can be read)"
expect_eq "$(comm -13 <(echo "$before") <(snapshot))" "" "missing drive: nothing written"
expect_eq "$(reg_value "$USERREG" "$key" MAINDIR)" missing "missing drive: nothing saved"

# Wine takes paths of any length, so the whole product goes there.
long='C:\Pennacle'
while [ ${#long} -lt 300 ]; do long="$long\\Level-${#long}"; done
long=${long:0:300}
long_linux="$C/${long#C:\\}"
install "300 characters" "$long" "${long_linux//\\//}"

install "euro sign and e-acute" 'C:\Caf€é Présent' "$C/Caf€é Présent"
check_shortcuts 'C:\Caf€é Présent'

# Wine presents \\server\share from the prefix's dosdevices/unc folder.
mkdir -p "$PREFIX/dosdevices/unc/server" "$PREFIX-drives/share"
ln -sfn "$PREFIX-drives/share" "$PREFIX/dosdevices/unc/server/share"
install "share" '\\server\share\Apps' "$PREFIX-drives/share/Apps"

N=$(add_drive n network)
install "mapped network drive" 'N:\Apps' "$N/Apps"
finish
