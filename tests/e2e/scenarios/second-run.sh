# A second installation into the same folder keeps the old log and the newest update block.
source "$(dirname "$0")/../lib.sh"
new_prefix
wine_run 'C:\e2e\setup.exe' -s
expect_eq "$?" 0 "first exit code"
first=$(lines_of "$DEST/Install.log")
printf 'Made Dir: C:\\Old\\\r\n' | cat - "$DEST/Install.log" >"$DEST/Install.log.new"
mv "$DEST/Install.log.new" "$DEST/Install.log"
first_marker=$(lines_of "$DATA/Update.log" | head -1)
sleep 2
wine_run 'C:\e2e\setup.exe' -s
expect_eq "$?" 0 "second exit code"
expect_eq "$(lines_of "$DEST/Install.log")" "Made Dir: C:\\Old\\
$first" "old lines first, no duplicates"
check_data_files
second_marker=$(lines_of "$DATA/Update.log" | head -1)
[ "$first_marker" != "$second_marker" ] && echo "ok: a new marker" || fail "the marker did not change"
finish
