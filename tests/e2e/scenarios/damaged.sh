# A setup.exe whose payload has a flipped byte or ends early, made here from the good one:
# silently exit code 2, interactively the damaged-setup message; never a file written.
source "$(dirname "$0")/../lib.sh"
new_prefix
damaged_message="The setup's data is damaged. Please download the setup of Pennacle Word Processor again."
for kind in flip truncate; do
  python3 "$HERE/damage.py" "$kind" "$SETUP_EXE" "$C/e2e/$kind.exe" >/dev/null ||
    { fail "cannot make the $kind copy"; continue; }
  before=$(find "$C" -type f | sort)
  wine_run "C:\\e2e\\$kind.exe" -s
  expect_eq "$?" 2 "$kind: silent exit code"
  out=$(drive_ui <<S
start C:\\e2e\\$kind.exe
wait-box
screenshot C:\\e2e\\shots\\damaged-$kind.bmp
answer OK
wait-exit
S
)
  echo "$out"
  expect_eq "$(echo "$out" | grep '^box:')" "box: Pennacle Word Processor - Setup | $damaged_message" \
    "$kind: the damaged-setup message"
  expect_eq "$(echo "$out" | grep '^exit:')" "exit: 2" "$kind: interactive exit code"
  after=$(find "$C" -type f ! -path "$C/e2e/*" | sort)
  expect_eq "$(comm -13 <(echo "$before") <(echo "$after"))" "" "$kind: no file written"
  expect_eq "$(reg_value "$USERREG" 'Software\Pennacle Word Processor\Install')" missing \
    "$kind: no settings key"
done
collect_shots
finish
