#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the program's icon and logo from plain shapes, so the pictures need no font and can be
# remade with ImageMagick alone. Run from this directory.
set -eu

# The logo: a projector on the left casting a beam onto a screen on the right, on the panel grey.
convert -size 80x26 xc:'rgb(192,192,192)' \
    -fill 'rgb(40,60,140)' -stroke none -draw 'roundrectangle 2,8 24,21 3,3' \
    -fill 'rgb(230,230,250)' -draw 'circle 19,14 19,10' \
    -fill 'rgb(255,240,150)' -draw 'polygon 23,12 56,3 56,23 23,16' \
    -fill white -stroke 'rgb(40,60,140)' -draw 'rectangle 56,2 77,23' \
    -stroke none -fill 'rgb(192,0,0)' -draw 'rectangle 60,6 64,19' \
    -fill 'rgb(0,160,0)' -draw 'rectangle 65,9 69,19' \
    -fill 'rgb(0,0,192)' -draw 'rectangle 70,12 74,19' \
    -type TrueColor PNG24:logo.png

# The icon: a projector body with its lens, in three images.
draw_icon() {
    size=$1
    convert -size 32x32 xc:none \
        -fill 'rgb(0,0,128)' -stroke black -draw 'roundrectangle 2,10 29,25 3,3' \
        -fill 'rgb(192,192,192)' -draw 'circle 21,17 21,12' \
        -fill 'rgb(255,255,0)' -stroke none -draw 'circle 21,17 21,15' \
        -fill 'rgb(0,255,0)' -draw 'rectangle 5,13 8,15' \
        -fill 'rgb(128,128,128)' -stroke black -draw 'rectangle 5,25 8,28 rectangle 23,25 26,28' \
        -resize "${size}x${size}" "$2"
}
draw_icon 32 icon-32-tmp.png
draw_icon 16 icon-16-tmp.png
convert icon-32-tmp.png -background white -alpha remove -colorspace gray -threshold 60% \
    -type bilevel -define png:bit-depth=1 PNG8:icon-32-mono.png
convert icon-32-tmp.png -dither None -colors 16 -define png:bit-depth=4 PNG8:icon-32-16.png
convert icon-16-tmp.png -dither None -colors 16 -define png:bit-depth=4 PNG8:icon-16-16.png
rm -f icon-32-tmp.png icon-16-tmp.png
