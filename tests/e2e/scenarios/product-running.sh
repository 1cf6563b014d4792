# The product is running: nothing is installed and nothing is stored.
source "$(dirname "$0")/../lib.sh"
new_prefix
cat >"$C/e2e/script.txt" <<'S'
start-product C:\e2e\pnc.exe
start C:\e2e\setup.exe -s
wait-exit
close-product
S
out=$(wine_run 'C:\e2e\uidriver.exe' 'C:\e2e\script.txt' | tr -d '\r')
echo "$out"
expect_eq "$(echo "$out" | grep '^exit:')" "exit: 1" "exit code"
expect_no_file "$DEST"
expect_no_file "$DATA"
key='Software\Pennacle Word Processor\Install'
expect_eq "$(reg_value "$USERREG" "$key" MAINDIR)" missing "no settings"
expect_eq "$(reg_value "$SYSREG" 'Software\Microsoft\Windows\CurrentVersion\Uninstall\Pennacle Word Processor')" \
  missing "no uninstall entry"
finish
