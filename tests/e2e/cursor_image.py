#!/usr/bin/env python3
"""Prints the size and hot spot of the X pointer's current cursor (WIDTHxHEIGHT+XHOT+YHOT),
read through the XFixes extension of the display in $DISPLAY. The pixels are left out: a
theme's wait cursor is animated."""
import ctypes
import ctypes.util
import sys


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def main():
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xfixes = ctypes.CDLL(ctypes.util.find_library("Xfixes") or "libXfixes.so.3")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    image = xfixes.XFixesGetCursorImage(display)
    if not image:
        sys.exit("no cursor image")
    c = image.contents
    print(f"{c.width}x{c.height}+{c.xhot}+{c.yhot}")


main()
