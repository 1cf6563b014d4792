# Abort on the third file of the clip library: every file written before it stays whole, the
# log and the choices are saved, nothing after it is written; a second run completes it.
source "$(dirname "$0")/../lib.sh"
new_prefix
held=$(grep '^Clip Library\\' "$SAMPLE_DIR.lst" | sed -n 3p | tr -d '\r')
held_target=$(target_of "$held" "$DEST")
mkdir -p "$(dirname "$held_target")"
echo "held by another program" >"$held_target"
out=$(drive_ui <<S
hold C:\\ProgramData\\Pennacle\\Public\\$held
start C:\\e2e\\setup.exe
wait-wizard
walk-to Ready to Install
click Next >
wait-box
answer Abort
wait-exit
S
)
echo "$out"
expect_eq "$(echo "$out" | grep '^exit:')" "exit: 2" "exit code after Abort"
expect_eq "$(cat "$held_target")" "held by another program" "the held file untouched"

# In the order of writing: the program, the proofing tools, the templates, then the clips.
written=0
while IFS= read -r name; do
  name=${name%$'\r'}
  [ "$name" = "$held" ] && break
  target=$(target_of "$name" "$DEST")
  if cmp -s "$SAMPLE_DIR/${name//\\//}" "$target" &&
    [ "$(stat -c %Y "$target")" = $(($(stat -c %Y "$SAMPLE_DIR/${name//\\//}") / 2 * 2)) ]; then
    written=$((written + 1))
  else
    fail "not whole: $target"
  fi
done < <(grep -v '^Basic\.snd' "$SAMPLE_DIR.lst")
expect_eq "$written" 32 "the 32 files before the held one, whole and dated"
cmp -s "$SAMPLE_DIR/English (American).cache" "$DATA/Public/Spellcheck/English (British).cache" &&
  echo "ok: and the British cache written from the American one" || fail "English (British).cache"
after=$(grep '^Clip Library\\' "$SAMPLE_DIR.lst" | sed -n 4p | tr -d '\r')
expect_no_file "$(target_of "$after" "$DEST")"
expect_no_file "$DATA/Public/Basic.snd"
expect_no_file "$C/ProgramData/Microsoft/Windows/Start Menu/Programs/Pennacle Word Processor.lnk"

log=$(lines_of "$DEST/Install.log")
for line in 'File Copy: C:\Program Files\Pennacle\pnc.exe' \
  'File Copy: C:\Program Files\Pennacle\License.txt' 'Made Dir: C:\Program Files\Pennacle\' \
  'Made Dir: C:\ProgramData\Pennacle\Public\Spellcheck\'; do
  echo "$log" | grep -qxF "$line" && echo "ok: logged: $line" || fail "not logged: $line"
done
expect_eq "$(echo "$log" | grep -c 'Basic.snd')" 0 "nothing logged that was not written"
key='Software\Pennacle Word Processor\Install'
expect_eq "$(reg_value "$USERREG" "$key" MAINDIR)" 'sz C:\Program Files\Pennacle' "choices saved"
expect_eq "$(reg_value "$USERREG" "$key" 'COMPS (4.3.5)')" "dword 0x7ffffffe" "components saved"

# The file is free again: a second, silent run writes everything and keeps the first log.
wine_run 'C:\e2e\setup.exe' -s
expect_eq "$?" 0 "second run: exit code"
check_product_files "$DEST"
check_data_files
check_shortcuts 'C:\Program Files\Pennacle'
expect_eq "$(lines_of "$DEST/Install.log" | head -n "$(echo "$log" | wc -l)")" "$log" \
  "second run: the first run's lines kept first"
expect_eq "$(lines_of "$DEST/Install.log" | grep -c 'pnc.exe$')" 1 "pnc.exe logged once"
finish
