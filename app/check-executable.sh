#!/bin/bash
# The shipped program as a user gets it: a Windows GUI executable that carries every resource
# it needs and imports nothing but the system's own libraries; given the payload it carries
# and a budget, also no larger than the budget without the payload.
#   check-executable.sh SETUP.EXE OBJDUMP EXPECTED-FORMAT [PAYLOAD BUDGET-KB]
set -u
exe=$1 objdump=$2 format=$3 payload=${4:-} budget=${5:-}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
kind=$(file -b "$exe")
case "$kind" in "$format"*"(GUI)"*) echo "ok: $kind" ;; *) fail "not a $format GUI program: $kind" ;; esac
dump=$("$objdump" -p "$exe")
resources=$(echo "$dump" | sed -n '/Type Table/,$p')
for name in FILES LOGO TMAINDLGFORM OPENFOLDER CLOSEDFOLDER FIXEDDRIVE REMOVABLEDRIVE; do
  echo "$resources" | grep -q "]: $name, Value" && echo "ok: resource $name" || fail "no resource $name"
done
# Types by number: 3 icon, 14 icon group, 24 manifest, 10 RCDATA, 2 bitmap.
for id in 000002 000003 00000a 00000e 000018; do
  echo "$resources" | grep -q "Entry: ID: 0x$id, Value: 0x8" && echo "ok: resource type 0x$id" ||
    fail "no resources of type 0x$id"
done
imports=$(echo "$dump" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
for dll in $imports; do
  case "$dll" in
    advapi32.dll | comctl32.dll | gdi32.dll | kernel32.dll | mpr.dll | msvcrt.dll | ole32.dll | \
      user32.dll | uxtheme.dll | shell32.dll | msimg32.dll) ;;
    *) fail "needs $dll beside it" ;;
  esac
done
echo "imports: $imports"
if [ -n "$payload" ]; then
  rest=$(($(stat -c %s "$exe") - $(stat -c %s "$payload")))
  kb=$(((rest + 1023) / 1024))
  [ "$kb" -le "$budget" ] && echo "ok: $kb KB ($rest bytes) without the payload (budget $budget KB)" ||
    fail "$kb KB ($rest bytes) without the payload, over the budget of $budget KB"
fi
[ $failures = 0 ] && echo passed || exit 1
