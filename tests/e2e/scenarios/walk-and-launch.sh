# Every page with Next, as a user walks them, and Finish starting the product.
source "$(dirname "$0")/../lib.sh"
new_prefix
out=$(drive_ui <<'S'
start C:\e2e\setup.exe
wait-wizard
page
screenshot C:\e2e\shots\page0-welcome.bmp
click Next >
wait-title License Agreement
page
screenshot C:\e2e\shots\page1-license.bmp
click Next >
wait-title Choose Destination Folder
page
screenshot C:\e2e\shots\page2-destination.bmp
click Next >
wait-title Select Components
page
screenshot C:\e2e\shots\page3-components.bmp
click Next >
wait-title Ready to Install
page
screenshot C:\e2e\shots\page4-ready.bmp
click Next >
wait-title Installation Complete
page
screenshot C:\e2e\shots\page6-complete.bmp
click Finish
wait-exit
product
close-product
S
)
echo "$out"
collect_shots
# What each page showed: its title and its three buttons.
summary=$(echo "$out" | grep -E '^(title|button):' | sed 's/ *$//')
expected=$(
  cat <<'X'
title: Welcome to the Pennacle Word Processor Setup
button: < &Back | hidden
button: &Next > | enabled
button: Cancel | enabled
title: License Agreement
button: < &Back | enabled
button: &Next > | enabled
button: Cancel | enabled
title: Choose Destination Folder
button: < &Back | enabled
button: &Next > | enabled
button: Cancel | enabled
title: Select Components
button: < &Back | enabled
button: &Next > | enabled
button: Cancel | enabled
title: Ready to Install
button: < &Back | enabled
button: &Next > | enabled
button: Cancel | enabled
title: Installation Complete
button: < &Back | disabled
button: &Finish | enabled
button: Cancel | disabled
X
)
expect_eq "$summary" "$expected" "titles and buttons of every page"
echo "$out" | grep -q '^memo: [1-9]' && echo "ok: the license is shown" || fail "no license text"
echo "$out" | grep -qF 'edit: C:\Program Files\Pennacle' && echo "ok: default folder" ||
  fail "default folder"
echo "$out" | grep -qF 'check: &Launch Pennacle Word Processor | on' && echo "ok: launch box" ||
  fail "launch box"
expect_eq "$(echo "$out" | grep '^exit:')" "exit: 0" "exit code"
expect_eq "$(echo "$out" | grep '^product:')" "product: running" "the product was started"
check_product_files "$DEST"
check_registry 'C:\Program Files\Pennacle'
finish
