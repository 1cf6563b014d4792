# The program file at the target is held open by another program: silently, exit code 2 with
# everything but that file written and the choices saved; interactively, the question.
source "$(dirname "$0")/../lib.sh"
new_prefix
mkdir -p "$DEST"
cp "$SAMPLE_DIR/License.txt" "$DEST/pnc.exe"
out=$(drive_ui <<'S'
hold C:\Program Files\Pennacle\pnc.exe
start C:\e2e\setup.exe -s
wait-exit
S
)
echo "$out"
expect_eq "$(echo "$out" | grep '^exit:')" "exit: 2" "silent exit code"
expect_eq "$(echo "$out" | grep -c '^box:')" 0 "no message box"
cmp -s "$DEST/pnc.exe" "$SAMPLE_DIR/License.txt" && echo "ok: the held file is untouched" ||
  fail "the held file changed"
key='Software\Pennacle Word Processor\Install'
un='Software\Microsoft\Windows\CurrentVersion\Uninstall\Pennacle Word Processor'
expect_eq "$(reg_value "$USERREG" "$key" MAINDIR)" 'sz C:\Program Files\Pennacle' "settings saved"
expect_eq "$(reg_value "$SYSREG" "$un" DisplayName)" "sz Pennacle Word Processor" "uninstall entry"
expect_eq "$(lines_of "$DEST/Install.log" | grep -c '^Made Dir: C:\\ProgramData\\Pennacle\\')" 4 \
  "Install.log written with the folders made"
expect_eq "$(lines_of "$DEST/Install.log" | grep -c '^File Copy:')" 0 "and no file, none having been written"

out=$(drive_ui <<'S'
hold C:\Program Files\Pennacle\pnc.exe
start C:\e2e\setup.exe
wait-wizard
walk-to Ready to Install
click Next >
wait-box
screenshot C:\e2e\shots\box-cannot-create.bmp
answer Abort
wait-exit
S
)
echo "$out"
collect_shots
echo "$out" | grep -qF 'box: Pennacle Word Processor - Setup | Cannot create file "C:\Program Files\Pennacle\pnc.exe".' &&
  echo "ok: the question names the file" || fail "the question does not name the file"
expect_eq "$(echo "$out" | grep '^exit:')" "exit: 2" "interactive exit code after Abort"
finish
