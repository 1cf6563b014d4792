#!/bin/sh
# Makes a shortcut with the engine under Wine and reads it back with lnkinfo, which knows the
# shell link format independently of Wine.
# Usage: check-shortcut.sh WINE_RUN MAKER LINUX_LINK_PATH WINDOWS_LINK_PATH
set -u
run=$1 maker=$2 link=$3 winlink=$4
target='C:\Program Files\Pennacle'
rm -f "$link"
"$run" "$maker" "$winlink" "$target" || { echo "the shortcut maker failed"; exit 1; }
[ -f "$link" ] || { echo "no shortcut at $link"; exit 1; }
info=$(lnkinfo "$link") || { echo "lnkinfo cannot read $link"; exit 1; }
echo "$info"
fail=0
# lnkinfo prints "<tab>Field<tabs>: value".
expect() {
  value=$(printf '%s\n' "$info" | sed -n "s/^[[:space:]]*$1[[:space:]]*: //p" | head -n 1)
  [ "$value" = "$2" ] || { echo "$1 is \"$value\", not \"$2\""; fail=1; }
}
expect 'Local path' "$target\\pnc.exe"
expect 'Working directory' "$target"
expect 'Description' 'Compact, fast-loading, but still powerful and efficient word processor.'
exit $fail
