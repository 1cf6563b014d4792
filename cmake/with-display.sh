#!/bin/sh
# Runs a command with DISPLAY set to a virtual X display of its own, started and stopped here.
#   with-display.sh COMMAND [ARGUMENTS...]
n=$(( 40 + $$ % 200 ))
while [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT INT TERM
tries=0
while [ ! -e /tmp/.X11-unix/X$n ] && [ $tries -lt 50 ]; do sleep 0.1; tries=$((tries + 1)); done
DISPLAY=:$n "$@"
