#!/bin/sh
# Runs the form preview on a virtual display of its own and turns its captures into PNG.
#   preview.sh WINE-RUN PROGRAM OUTPUT-FOLDER
set -e
run=$1
program=$2
out=$3
mkdir -p "$out"
cd "$out"
rm -f page*.bmp page*.png
n=$(( 40 + $$ % 200 ))
while [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT INT TERM
sleep 1
# Without a window manager Wine draws the caption and frame itself only when told to.
export PENNACLE_WINE_KEEP_PREFIX="$out/prefix"
rm -rf "$PENNACLE_WINE_KEEP_PREFIX"
DISPLAY=:$n "$run" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null
DISPLAY=:$n "$run" "$program"
rm -rf "$PENNACLE_WINE_KEEP_PREFIX"
for f in page*.bmp; do convert "$f" "${f%.bmp}.png" && rm -f "$f"; done
ls page*.png
