# Typed destinations at the edges: a drive that does not exist leaves Next disabled with no
# free space shown; a folder with the euro sign and e-acute whose program file cannot be
# written asks about it with those characters, and Ignore installs the rest there.
source "$(dirname "$0")/../lib.sh"
new_prefix
ACCENTED="$C/Caf€é Présent"
mkdir -p "$ACCENTED/pnc.exe" # a folder where the program file should go: it cannot be created
out=$(drive_ui <<'S'
start C:\e2e\setup.exe
wait-wizard
walk-to Choose Destination Folder
type X:\One
click Next >
wait-title Select Components
page
screenshot C:\e2e\shots\components-missing-drive.bmp
click < Back
wait-title Choose Destination Folder
type C:\Caf€é Présent
page
walk-to Ready to Install
click Next >
wait-box
screenshot C:\e2e\shots\box-accented.bmp
answer Ignore
wait-title Installation Complete
check &Launch Pennacle Word Processor off
click Finish
wait-exit
S
)
echo "$out"
collect_shots
components=$(echo "$out" | sed -n '/^title: Select Components/,/^title:/p')
echo "$components" | grep -qx 'button: &Next > | disabled' && echo "ok: missing drive: Next disabled" ||
  fail "missing drive: Next not disabled"
echo "$components" | grep -qx 'text: 0 KB' && echo "ok: missing drive: no free space shown" ||
  fail "missing drive: free space shown"
echo "$out" | grep -qx 'edit: C:\\Caf€é Présent' && echo "ok: the typed folder as typed" ||
  fail "the edit box does not show the typed folder"
echo "$out" | grep -qF 'box: Pennacle Word Processor - Setup | Cannot create file "C:\Caf€é Présent\pnc.exe".|' &&
  echo "ok: the question names the file in its own characters" || fail "the question's path"
expect_eq "$(echo "$out" | grep '^exit:')" "exit: 0" "exit code after Ignore"
cmp -s "$SAMPLE_DIR/License.txt" "$ACCENTED/License.txt" && echo "ok: License.txt installed" ||
  fail "License.txt not in $ACCENTED"
log=$(iconv -f CP1252 -t UTF-8 "$ACCENTED/Install.log" | tr -d '\r')
expect_eq "$(echo "$log" | grep -cxF 'File Copy: C:\Caf€é Présent\License.txt')" 1 "License.txt logged"
expect_eq "$(echo "$log" | grep -cF 'pnc.exe')" 0 "the ignored file not logged"
expect_eq "$(reg_value "$USERREG" 'Software\Pennacle Word Processor\Install' MAINDIR)" \
  'sz C:\Caf€é Présent' "MAINDIR"
finish
