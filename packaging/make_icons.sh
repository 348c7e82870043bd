#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the hicolor PNG icons from the scalable one, so that desktops which do not read SVG
# (and the 16 and 24 pixel menus) get a sharp picture. Needs ImageMagick; run from this directory.
set -eu

for size in 16 24 32 48 64 128 256; do
    convert -background none -density $((96 * size / 32)) icons/tavo-panel.svg \
        -resize "${size}x${size}" -depth 8 -strip "PNG32:icons/tavo-panel-${size}.png"
done
