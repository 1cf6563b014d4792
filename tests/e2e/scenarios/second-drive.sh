# A typed folder on a second fixed drive, and a component left out.
source "$(dirname "$0")/../lib.sh"
new_prefix
DDRIVE=$(add_drive d hd)
out=$(drive_ui <<'S'
start C:\e2e\setup.exe
wait-wizard
walk-to Choose Destination Folder
type D:\Apps\
click Next >
wait-title Select Components
page
toggle-row 3
page
screenshot C:\e2e\shots\components-without-clips.bmp
walk-to Installation Complete
check &Launch Pennacle Word Processor off
click Finish
wait-exit
S
)
echo "$out"
collect_shots
# The required space before and after leaving out the clip library (3 723 264 + 663 552 +
# 233 472 + 1 085 440 + 65 536 bytes, then without the 1 085 440).
expect_eq "$(echo "$out" | grep -c '^text: 5 636 KB$')" 1 "required space with every component"
expect_eq "$(echo "$out" | grep -c '^text: 4 576 KB$')" 1 "required space without the clip library"
echo "$out" | grep -q '^text: Available disk space:' && echo "ok: free space shown" || fail "no free space"
expect_eq "$(echo "$out" | grep '^exit:')" "exit: 0" "exit code"
expect_file "$DDRIVE/Apps/pnc.exe"
expect_file "$DDRIVE/Apps/License.txt"
expect_file "$DATA/Public/Basic.snd"
expect_eq "$(find "$DATA/Public/Templates" -type f | wc -l)" 19 "templates"
expect_no_file "$DATA/Public/Clip Library"
key='Software\Pennacle Word Processor\Install'
expect_eq "$(reg_value "$USERREG" "$key" MAINDIR)" 'sz D:\Apps' "MAINDIR"
expect_eq "$(reg_value "$USERREG" "$key" 'COMPS (4.3.5)')" "dword 0x7ffffff6" "COMPS without row 3"
expect_eq "$(reg_value "$USERREG" "$key" LAUNCH)" "dword 0x00000000" "LAUNCH unchecked"
finish
