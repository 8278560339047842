"""Characters the keyboard map of an X display lacks, given keys of their own.

xdotool types such a character by remapping a spare key just for it; a Wine
program re-reads the keyboard map on that change and loses the keystroke (the
first one of every process, and repeats). Keys mapped before the program starts
are in the map it reads at start-up, and xdotool then just presses them.
"""
import ctypes

_x = None


def _xlib():
    global _x
    if _x is None:
        _x = ctypes.CDLL("libX11.so.6")
        _x.XOpenDisplay.restype = ctypes.c_void_p
        _x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        _x.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
        _x.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
        _x.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int, ctypes.POINTER(ctypes.c_int)]
        _x.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                              ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
        _x.XFree.argtypes = [ctypes.c_void_p]
        _x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        _x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return _x


def keysym(character):
    code = ord(character)
    return code if 0x20 <= code <= 0x7e or 0xa0 <= code <= 0xff else 0x1000000 | code


def add_keys(display, characters):
    """Maps each character to a key without symbols; False when the display has too few of them."""
    x = _xlib()
    connection = x.XOpenDisplay(display.encode())
    if not connection:
        return False
    try:
        low, high = ctypes.c_int(), ctypes.c_int()
        x.XDisplayKeycodes(connection, ctypes.byref(low), ctypes.byref(high))
        count = high.value - low.value + 1
        per_key = ctypes.c_int()
        table = x.XGetKeyboardMapping(connection, low.value, count, ctypes.byref(per_key))
        free = [low.value + i for i in range(count)
                if all(table[i * per_key.value + j] == 0 for j in range(per_key.value))]
        x.XFree(table)
        if len(free) < len(characters):
            return False
        for key, character in zip(free, characters):
            symbols = (ctypes.c_ulong * 2)(keysym(character), keysym(character))  # with and without Shift
            x.XChangeKeyboardMapping(connection, key, 2, symbols, 1)
        x.XSync(connection, 0)
        return True
    finally:
        x.XCloseDisplay(connection)
