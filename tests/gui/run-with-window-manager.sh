#!/bin/sh
# Runs a test program on an X display of its own, with the openbox window manager, for tests of
# stacking, focus and window placement that a bare Xvfb (no window manager) cannot show and that
# must not click into other tests' windows.
# Usage: run-with-window-manager.sh WIDTHxHEIGHT PROGRAM [ARGUMENTS...]
set -eu
size="$1"
shift
for tool in Xvfb openbox; do
    command -v "$tool" >/dev/null 2>&1 || {
        echo "$tool is not installed (scripts/debian-packages.txt lists it)" >&2
        exit 1
    }
done

work="$(mktemp -d)"
xvfb=""
wm=""
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# Xvfb picks a free display number and writes it to descriptor 3.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
tries=0
while [ ! -s "$work/display" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$xvfb" 2>/dev/null; then
        echo "Xvfb did not start:" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    sleep 0.1
done
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
HOME="$work" openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!

# The tests wait until the window manager has taken over the display.
"$@"
