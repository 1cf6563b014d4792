# Without accepting the license there is no way on; the box keeps its state.
source "$(dirname "$0")/../lib.sh"
new_prefix
out=$(drive_ui <<'S'
start C:\e2e\setup.exe
wait-wizard
click Next >
wait-title License Agreement
check I &accept all the terms of the above License Agreement off
click Next >
wait-box
screenshot C:\e2e\shots\box-license.bmp
answer OK
page
click < Back
wait-title Welcome to the Pennacle Word Processor Setup
click Next >
wait-title License Agreement
page
quit
wait-exit
S
)
echo "$out"
collect_shots
expect_eq "$(echo "$out" | grep '^box:' | head -1)" \
  'box: Pennacle Word Processor - Setup | To install this program, you need to agree to all the terms of the License Agreement.' \
  "the license message"
expect_eq "$(echo "$out" | grep -c '^check: I &accept all the terms of the above License Agreement | off')" \
  2 "the box stays unchecked"
expect_eq "$(echo "$out" | grep -c '^title: License Agreement')" 2 "still on the license page"
expect_eq "$(echo "$out" | grep '^exit:')" "exit: 0" "exit code"
finish
