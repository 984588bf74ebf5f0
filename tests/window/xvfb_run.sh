#!/bin/sh
# Runs a program on a virtual X display of its own, as a person's desktop would show it: starts
# Xvfb on the first free display, runs the program with Qt's X11 platform and stops Xvfb again.
# The program's exit status is the script's.
set -eu
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; rm -f "$fifo"' EXIT
read -r display <"$fifo"
export DISPLAY=":$display"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
"$@"
