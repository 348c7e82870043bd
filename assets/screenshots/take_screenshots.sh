#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's screenshots of the panel on the simulated projector: the collapsed view at
# start, the full view (Ctrl+H) right after a "STATUS" read, and the help (F1) over it. Needs xvfb,
# openbox and ImageMagick; keys are typed through the XTEST extension.
# Usage: take_screenshots.sh PATH/TO/tavo-panel
set -eu
panel=$(realpath "$1")
out=$(cd "$(dirname "$0")" && pwd)

cat > /tmp/tavo-keys.py <<'PY'
import ctypes, sys, time
x11 = ctypes.CDLL("libX11.so.6")
xtst = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XStringToKeysym.restype = ctypes.c_ulong
display = ctypes.c_void_p(x11.XOpenDisplay(None))
def code(name):
    return x11.XKeysymToKeycode(display, ctypes.c_ulong(x11.XStringToKeysym(name.encode())))
def chord(names):
    for n in names:
        xtst.XTestFakeKeyEvent(display, code(n), True, 0)
    for n in reversed(names):
        xtst.XTestFakeKeyEvent(display, code(n), False, 0)
    x11.XFlush(display)
    time.sleep(0.05)
for arg in sys.argv[1:]:
    count, _, keys = arg.partition("*") if "*" in arg else ("1", "", arg)
    for _ in range(int(count)):
        chord(keys.split("+"))
PY

xvfb-run -a -s "-screen 0 1280x1024x24" sh -c "
    openbox & sleep 1
    '$panel' --simulate & sleep 3
    import -window root -trim +repage '$out/collapsed.png'
    python3 /tmp/tavo-keys.py Control_L+h 30*Tab space
    sleep 0.8
    import -window root -trim +repage '$out/full.png'
    python3 /tmp/tavo-keys.py F1
    sleep 0.8
    import -window root -trim +repage '$out/help.png'
    kill \$! 2>/dev/null || true
"

# The same full view at 200 % scaling.
xvfb-run -a -s "-screen 0 1600x1200x24" sh -c "
    openbox & sleep 1
    QT_SCALE_FACTOR=2 '$panel' --simulate & sleep 3
    python3 /tmp/tavo-keys.py Control_L+h 30*Tab space
    sleep 0.8
    import -window root -trim +repage '$out/full-200.png'
    kill \$! 2>/dev/null || true
"
