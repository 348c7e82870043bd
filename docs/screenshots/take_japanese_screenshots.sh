#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots of the panel in Japanese, as a new user sees it under LANG=ja_JP.UTF-8:
# the start-up error of a device that is not there, the device chooser (Ctrl+D), the notice of a
# lost device and the help (F1). Needs xvfb, openbox and ImageMagick; keys are typed through the
# XTEST extension, as a keyboard user would.
# Usage: take_japanese_screenshots.sh BUILD_DIR
# SCREENSHOT_DISPLAY=N uses X display N instead of the first free one.
set -eu
build=$(realpath "$1")
panel=$build/app/tavo-panel
sim=$build/simulator/tavo-projector-sim
out=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A new user's settings.
export XDG_CONFIG_HOME="$work/config"
export LANG=ja_JP.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES
server="-a"
if [ -n "${SCREENSHOT_DISPLAY:-}" ]; then
    server="-n $SCREENSHOT_DISPLAY"
fi

cat > "$work/keys.py" <<'PY'
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

# shellcheck disable=SC2086
xvfb-run $server -s "-screen 0 1280x1024x24" sh -c "
    openbox & sleep 1
    # A USB adapter that is not plugged in: the start-up error.
    '$panel' --com1 /dev/ttyUSB7 & sleep 3
    import -window root -trim +repage '$out/ja-startup-error.png'
    kill \$! 2>/dev/null || true
    sleep 0.5

    # The simulated projector on a pseudo-terminal stands for the adapter; once it is gone, the
    # panel tells of the loss.
    '$sim' --link '$work/projector' > '$work/sim.log' & sim=\$!
    sleep 1
    '$panel' --com1 '$work/projector' & panel=\$!
    sleep 3
    python3 '$work/keys.py' Control_L+d
    sleep 1
    import -window root -trim +repage '$out/ja-device-chooser.png'
    python3 '$work/keys.py' Escape
    sleep 0.5
    kill \$sim
    sleep 2
    import -window root -trim +repage '$out/ja-device-lost.png'
    python3 '$work/keys.py' F1
    sleep 1
    import -window root '$out/ja-help.png'
    kill \$panel 2>/dev/null || true
"
