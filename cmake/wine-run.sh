#!/bin/sh
# Runs one Windows program under wine64 in a fresh prefix of its own.
# Booting a prefix takes seconds and 700 MB, so a template is booted once and
# each run gets a copy in which the large, never-written binaries are hard links.
WINE=${PENNACLE_WINE:-/usr/lib/wine/wine64}
WINESERVER=${PENNACLE_WINESERVER:-/usr/lib/wine/wineserver}
TMPROOT=${TMPDIR:-/tmp}
TEMPLATE=${PENNACLE_WINE_TEMPLATE:-$TMPROOT/pennacle-wine-template-$(id -u)}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

make_template() {
  (
    flock 9
    if [ ! -f "$TEMPLATE/.ready" ]; then
      rm -rf "$TEMPLATE"
      mkdir -p "$TEMPLATE"
      WINEPREFIX="$TEMPLATE" "$WINE" wineboot -i >/dev/null 2>&1
      WINEPREFIX="$TEMPLATE" "$WINESERVER" -w
      touch "$TEMPLATE/.ready"
    fi
  ) 9>"$TEMPLATE.lock"
}

copy_prefix() {
  cp -al "$TEMPLATE/." "$1/" || return 1
  # Everything but the binaries gets a private copy, so no run can write into the template.
  (cd "$TEMPLATE" && find . -type f ! -iname '*.dll' ! -iname '*.exe' ! -iname '*.drv' \
      ! -iname '*.sys' ! -iname '*.nls' ! -iname '*.ocx' ! -iname '*.tlb' ! -iname '*.acm' \
      ! -iname '*.cpl' ! -iname '*.ax' ! -iname '*.ds' ! -iname '*.mui' -print0) |
    (cd "$1" && xargs -0 -r -I{} cp --remove-destination -p "$TEMPLATE/{}" "{}")
}

make_template || exit 125
# --prepare: only make the kept prefix, so files can be put into it before the first run.
if [ "$1" = "--prepare" ]; then
  [ -n "$PENNACLE_WINE_KEEP_PREFIX" ] || exit 125
  [ -f "$PENNACLE_WINE_KEEP_PREFIX/system.reg" ] && exit 0
  mkdir -p "$PENNACLE_WINE_KEEP_PREFIX" && copy_prefix "$PENNACLE_WINE_KEEP_PREFIX"
  exit $?
fi
if [ -n "$PENNACLE_WINE_KEEP_PREFIX" ]; then
  PREFIX=$PENNACLE_WINE_KEEP_PREFIX
  [ -f "$PREFIX/system.reg" ] || { mkdir -p "$PREFIX" && copy_prefix "$PREFIX"; } || exit 125
else
  PREFIX=$(mktemp -d "$TMPROOT/pennacle-wine.XXXXXX") || exit 125
  copy_prefix "$PREFIX" || exit 125
fi
export WINEPREFIX="$PREFIX"
"$WINE" "$@"
rc=$?
"$WINESERVER" -k >/dev/null 2>&1
[ -n "$PENNACLE_WINE_KEEP_PREFIX" ] || rm -rf "$PREFIX"
exit $rc
