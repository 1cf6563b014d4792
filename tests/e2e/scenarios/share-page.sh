# The destination page with a share given by -D: the share stands in the edit box, its free
# space is shown, and a folder typed without a drive falls back to drive C:, the share having
# no drive letter to lend.
source "$(dirname "$0")/../lib.sh"
new_prefix
mkdir -p "$PREFIX/dosdevices/unc/server" "$PREFIX-drives/share"
ln -sfn "$PREFIX-drives/share" "$PREFIX/dosdevices/unc/server/share"
out=$(drive_ui <<'S'
start C:\e2e\setup.exe -D\\server\share\Apps
wait-wizard
walk-to Choose Destination Folder
page
screenshot C:\e2e\shots\destination-share.bmp
click Next >
wait-title Select Components
page
click < Back
wait-title Choose Destination Folder
type Apps
click Next >
wait-title Select Components
click < Back
wait-title Choose Destination Folder
page
quit
wait-exit
S
)
echo "$out"
collect_shots
pages=$(echo "$out" | grep -E '^(title|edit|text|row): ')
expect_eq "$(echo "$pages" | grep '^edit:' | head -1)" 'edit: \\server\share\Apps' "the share as given"
expect_eq "$(echo "$pages" | grep -c '^row: \* \\\\server\\share$')" 2 "the folder list on the share"
echo "$pages" | sed -n '/^title: Select Components/,/^title:/p' | grep -qE '^text: [0-9 ]+ MB$' &&
  echo "ok: the share's free space shown" || fail "no free space for the share"
expect_eq "$(echo "$pages" | grep '^edit:' | tail -1)" 'edit: c:\Pennacle' \
  "a folder typed without a drive beside the share"
expect_eq "$(echo "$out" | grep '^exit:')" "exit: 0" "exit code after cancel"
finish
