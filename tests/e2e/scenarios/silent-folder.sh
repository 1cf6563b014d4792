# /S with a destination of its own.
source "$(dirname "$0")/../lib.sh"
new_prefix
wine_run 'C:\e2e\setup.exe' /S '-DC:\Apps\Pen'
expect_eq "$?" 0 "exit code"
check_product_files "$C/Apps/Pen"
expect_file "$C/Apps/Pen/Install.log"
expect_no_file "$DEST"
check_registry 'C:\Apps\Pen'
check_shortcuts 'C:\Apps\Pen'
finish
