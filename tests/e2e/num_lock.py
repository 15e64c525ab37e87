#!/usr/bin/env python3
"""Prints "on" or "off": whether Num Lock is locked on the core keyboard of the X server in
$DISPLAY, read through the XKB extension."""
import ctypes
import ctypes.util
import sys

USE_CORE_KEYBOARD = 0x100
XK_NUM_LOCK = 0xFF7F


class XkbState(ctypes.Structure):
    _fields_ = [("group", ctypes.c_ubyte), ("locked_group", ctypes.c_ubyte),
                ("base_group", ctypes.c_ushort), ("latched_group", ctypes.c_ushort),
                ("mods", ctypes.c_ubyte), ("base_mods", ctypes.c_ubyte),
                ("latched_mods", ctypes.c_ubyte), ("locked_mods", ctypes.c_ubyte),
                ("compat_state", ctypes.c_ubyte), ("grab_mods", ctypes.c_ubyte),
                ("compat_grab_mods", ctypes.c_ubyte), ("lookup_mods", ctypes.c_ubyte),
                ("compat_lookup_mods", ctypes.c_ubyte), ("ptr_buttons", ctypes.c_ushort)]


def main():
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XkbKeysymToModifiers.restype = ctypes.c_uint
    x11.XkbKeysymToModifiers.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XkbGetState.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.POINTER(XkbState)]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    # The modifier the keymap ties to the Num Lock key (usually Mod2).
    num_lock = x11.XkbKeysymToModifiers(display, XK_NUM_LOCK)
    if not num_lock:
        sys.exit("the keymap has no Num Lock modifier")
    state = XkbState()
    if x11.XkbGetState(display, USE_CORE_KEYBOARD, ctypes.byref(state)) != 0:
        sys.exit("cannot read the keyboard's state")
    print("on" if state.locked_mods & num_lock else "off")


main()
