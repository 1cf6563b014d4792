# A silent installation to the default destination.
source "$(dirname "$0")/../lib.sh"
new_prefix
wine_run 'C:\e2e\setup.exe' -s
expect_eq "$?" 0 "exit code"
check_product_files "$DEST"
expect_eq "$(ls "$DEST" | tr '\n' ' ')" "Install.log License.txt pnc.exe " "destination folder"
expected_log=$(
  cat <<'LOG'
Made Dir: C:\ProgramData\Pennacle\
Made Dir: C:\ProgramData\Pennacle\Public\
Made Dir: C:\ProgramData\Pennacle\Public\Spellcheck\
Made Dir: C:\ProgramData\Pennacle\Hidden\
Made Dir: C:\Program Files\Pennacle\
File Copy: C:\Program Files\Pennacle\pnc.exe
File Copy: C:\Program Files\Pennacle\License.txt
File Copy: C:\ProgramData\Pennacle\Public\Basic.snd
File Copy: C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Pennacle Word Processor.lnk
File Copy: C:\users\Public\Desktop\Pennacle Word Processor.lnk
LOG
)
expect_eq "$(lines_of "$DEST/Install.log")" "$expected_log" "Install.log"
expect_eq "$(tail -c 2 "$DEST/Install.log" | od -An -c | tr -d ' ')" '\r\n' "CR LF after the last line"
check_data_files
check_registry 'C:\Program Files\Pennacle'
check_shortcuts 'C:\Program Files\Pennacle'
check_listed
expect_eq "$(ls "$C/users/root/Temp" 2>/dev/null | grep -c '^~Pennacle')" 0 "no temporary files left"
finish
