#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's screenshots of the panel on the simulated projector: the collapsed view at
# start, the full view (Ctrl+H) right after a "STATUS" read, the help (F1) beside it, three pages
# down at the device in use and the table of buttons; the exchange log (Ctrl+L) after POWER ON and a
# "STATUS" read every second and a half through the warm-up; a click that could not be sent after
# a failed change to COM2, the context menu from the Menu key and the device chooser (Ctrl+D); the
# full view and the help at 200 % scaling. Needs xvfb, openbox and ImageMagick (scripts/install-deps
# screenshots); keys are typed through the XTEST extension, as a keyboard user would.
# Usage: take_screenshots.sh PATH/TO/tavo-panel
# SCREENSHOT_DISPLAY=N uses X display N (and N+1) instead of the first free one.
set -eu
panel=$(realpath "$1")
out=$(cd "$(dirname "$0")" && pwd)
# A new user's settings, so that COM2 is the usual /dev/ttyS1 and nothing chosen before shows.
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME="$config"
server() {
    if [ -n "${SCREENSHOT_DISPLAY:-}" ]; then
        echo "-n $((SCREENSHOT_DISPLAY + $1))"
    else
        echo "-a"
    fi
}

keys=$(cd "$(dirname "$0")" && pwd)/type_keys.py

# The help is taken of the whole screen, to show where it opens.
xvfb-run $(server 0) -s "-screen 0 1280x1024x24" sh -c "
    openbox & sleep 1
    '$panel' --simulate & sleep 3
    import -window root -trim +repage '$out/collapsed.png'
    python3 '$keys' Control_L+h 30*Tab space
    sleep 0.8
    import -window root -trim +repage '$out/full.png'
    python3 '$keys' F1
    sleep 0.8
    python3 '$keys' 3*Next
    sleep 0.5
    import -window root '$out/help.png'
    kill \$! 2>/dev/null || true
"

# POWER ON has the focus at start; 30 Tabs in the full view reach STATUS.
xvfb-run $(server 0) -s "-screen 0 1280x1024x24" sh -c "
    openbox & sleep 1
    '$panel' --simulate & sleep 3
    python3 '$keys' space Control_L+h 30*Tab space
    for read in 1 2 3 4; do sleep 1.5; python3 '$keys' space; done
    sleep 0.5
    python3 '$keys' Control_L+l
    sleep 1
    import -window root -trim +repage '$out/exchange-log.png'
    kill \$! 2>/dev/null || true
"

# From the start, by keyboard: 24 Tabs reach COM, Space opens the port panel with COM1 focused, and
# the right arrow chooses COM2, which fails. Once the warning is answered and the port panel has
# gone, 25 Tabs come round to POWER ON, which is then pressed twice.
xvfb-run $(server 0) -s "-screen 0 1280x1024x24" sh -c "
    openbox & sleep 1
    '$panel' --simulate & sleep 3
    python3 '$keys' 24*Tab space Right
    sleep 1
    python3 '$keys' Return
    sleep 6
    python3 '$keys' 25*Tab space space
    sleep 0.5
    import -window root -trim +repage '$out/not-sent.png'
    python3 '$keys' Menu
    sleep 0.5
    import -window root -trim +repage '$out/keyboard-menu.png'
    python3 '$keys' Escape Control_L+d
    sleep 1
    import -window root -trim +repage '$out/device-chooser.png'
    kill \$! 2>/dev/null || true
"

# The same full view at 200 % scaling, and the help on a 1280 x 1024 screen at that scale.
xvfb-run $(server 0) -s "-screen 0 1600x1200x24" sh -c "
    openbox & sleep 1
    QT_SCALE_FACTOR=2 '$panel' --simulate & sleep 3
    python3 '$keys' Control_L+h 30*Tab space
    sleep 0.8
    import -window root -trim +repage '$out/full-200.png'
    kill \$! 2>/dev/null || true
"
xvfb-run $(server 1) -s "-screen 0 1280x1024x24" sh -c "
    openbox & sleep 1
    QT_SCALE_FACTOR=2 '$panel' --simulate & sleep 3
    python3 '$keys' F1
    sleep 1
    import -window root '$out/help-200.png'
    kill \$! 2>/dev/null || true
"
