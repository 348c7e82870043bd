#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Types keys into the X display of $DISPLAY through the XTEST extension, as a keyboard user would,
# for the screenshot scripts. Each argument is a chord such as Control_L+h, optionally repeated:
# 30*Tab.
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
