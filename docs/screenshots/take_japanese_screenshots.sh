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

keys=$(cd "$(dirname "$0")/../../assets/screenshots" && pwd)/type_keys.py

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
    python3 '$keys' Control_L+d
    sleep 1
    import -window root -trim +repage '$out/ja-device-chooser.png'
    python3 '$keys' Escape
    sleep 0.5
    kill \$sim
    sleep 2
    import -window root -trim +repage '$out/ja-device-lost.png'
    python3 '$keys' F1
    sleep 1
    import -window root '$out/ja-help.png'
    kill \$panel 2>/dev/null || true
"
