# Cancel asks; No stays, Yes leaves, and nothing is written but the empty settings key.
source "$(dirname "$0")/../lib.sh"
new_prefix
out=$(drive_ui <<'S'
start C:\e2e\setup.exe
wait-wizard
click Cancel
wait-box
screenshot C:\e2e\shots\box-quit.bmp
answer No
page
quit
wait-exit
S
)
echo "$out"
collect_shots
expect_eq "$(echo "$out" | grep -c '^box: Pennacle Word Processor - Setup | Setup is not complete. Do you wish to quit this setup program?$')" \
  2 "the question, twice"
expect_eq "$(echo "$out" | grep -c '^title: Welcome')" 1 "still on the welcome page after No"
expect_eq "$(echo "$out" | grep '^exit:')" "exit: 0" "exit code"
expect_no_file "$DEST"
expect_no_file "$DATA"
key='Software\Pennacle Word Processor\Install'
expect_eq "$(reg_value "$USERREG" "$key")" key "the settings key exists"
expect_eq "$(reg_value "$USERREG" "$key" MAINDIR)" missing "but holds nothing"
finish
