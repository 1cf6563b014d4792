# A destination on a drive Wine reports as removable: a portable installation.
source "$(dirname "$0")/../lib.sh"
new_prefix
STICK=$(add_drive e floppy)
wine_run 'C:\e2e\setup.exe' -s '-DE:\Pennacle'
expect_eq "$?" 0 "exit code"
P="$STICK/Pennacle"
for f in pnc.exe License.txt Basic.snd pnc_common.dat "Spellcheck/us.zlx" \
  "Spellcheck/English (British).cache"; do expect_file "$P/$f"; done
expect_eq "$(find "$P/Templates" -type f | wc -l)" 19 "templates on the stick"
expect_eq "$(find "$P/Clip Library" -type f | wc -l)" 242 "clip library on the stick"
expect_eq "$(find "$P" -type f | wc -l)" 275 "nothing else on the stick"
expect_no_file "$DATA"
expect_no_file "$P/Install.log"
expect_no_file "$C/ProgramData/Microsoft/Windows/Start Menu/Programs/Pennacle Word Processor.lnk"
expect_no_file "$C/users/Public/Desktop/Pennacle Word Processor.lnk"
key='Software\Pennacle Word Processor\Install'
expect_eq "$(reg_value "$USERREG" "$key" MAINDIR)" 'sz E:\Pennacle' "settings saved"
expect_eq "$(reg_value "$SYSREG" 'Software\Microsoft\Windows\CurrentVersion\Uninstall\Pennacle Word Processor')" \
  missing "no uninstall entry"

# Again: only what is missing, or changed for the files that are updated, is written.
rm "$P/Clip Library/Closings/"*
kept=$(find "$P/Templates" -type f | head -1)
echo "changed by the user" >"$kept.new" && touch -r "$kept" "$kept.new" && mv "$kept.new" "$kept"
echo "stale" >"$P/Spellcheck/us.zlx"
wine_run 'C:\e2e\setup.exe' -s '-DE:\Pennacle'
expect_eq "$?" 0 "second exit code"
expect_eq "$(find "$P/Clip Library" -type f | wc -l)" 242 "missing files written again"
expect_eq "$(cat "$kept")" "changed by the user" "a file that is only installed when missing stays"
cmp -s "$P/Spellcheck/us.zlx" "$SAMPLE_DIR/us.zlx" && echo "ok: a changed file is updated" ||
  fail "us.zlx was not updated"
finish
