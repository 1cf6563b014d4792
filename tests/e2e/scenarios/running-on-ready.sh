# The product started while the ready page is shown: Next explains and stays; once it is
# closed, Next installs.
source "$(dirname "$0")/../lib.sh"
new_prefix
out=$(drive_ui <<'S'
start C:\e2e\setup.exe
wait-wizard
walk-to Ready to Install
start-product C:\e2e\pnc.exe
click Next >
wait-box
screenshot C:\e2e\shots\box-running.bmp
answer OK
page
close-product
click Next >
wait-title Installation Complete
check &Launch Pennacle Word Processor off
click Finish
wait-exit
S
)
echo "$out"
collect_shots
expect_eq "$(echo "$out" | grep '^box:')" \
  'box: Pennacle Word Processor - Setup | Please close any running instance(s) of Pennacle Word Processor, then click OK in this dialog.' \
  "the running-instance message"
expect_eq "$(echo "$out" | grep -c '^title: Ready to Install')" 1 "the page stayed"
expect_eq "$(echo "$out" | grep '^exit:')" "exit: 0" "exit code"
expect_file "$DEST/pnc.exe"
finish
