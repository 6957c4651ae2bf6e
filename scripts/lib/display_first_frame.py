#!/usr/bin/env python3
"""Key press to the on-screen display's first frame on an X screen, in one process.

Presses Caps Lock through XTest and reads a strip of the screen's pixels where the
display shows (the bottom centre, above a panel of the given height) until they
change: the time between is the press to the first frame drawn. Then waits for the
strip to come back as it was (the display gone) before the next press.
Prints one figure in milliseconds per line.
    display_first_frame.py SAMPLES [PANEL_HEIGHT]
"""
import ctypes
import ctypes.util
import sys
import time

x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
xtst = ctypes.CDLL(ctypes.util.find_library("Xtst"))
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDisplayWidth.argtypes = x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x11.XDestroyImage.argtypes = [ctypes.c_void_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = x11.XSync.argtypes = [ctypes.c_void_p]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

ALL_PLANES, Z_PIXMAP = 0xFFFFFFFF, 2
# Well inside any display: the lowest 8 pixels of it are its rounded edge and margin.
ABOVE_WORK_AREA, INSIDE, HALF_WIDTH = 48, 12, 40


def main():
    samples = int(sys.argv[1])
    panel = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    root = x11.XDefaultRootWindow(display)
    width, height = x11.XDisplayWidth(display, 0), x11.XDisplayHeight(display, 0)
    x, y = width // 2 - HALF_WIDTH, height - panel - ABOVE_WORK_AREA - INSIDE

    def strip():
        image = x11.XGetImage(display, root, x, y, 2 * HALF_WIDTH, 1, ALL_PLANES, Z_PIXMAP)
        pixels = tuple(x11.XGetPixel(image, i, 0) for i in range(2 * HALF_WIDTH))
        x11.XDestroyImage(image)
        return pixels

    caps = x11.XKeysymToKeycode(display, x11.XStringToKeysym(b"Caps_Lock"))
    for _ in range(samples):
        before = strip()
        pressed = time.monotonic()
        xtst.XTestFakeKeyEvent(display, caps, 1, 0)
        xtst.XTestFakeKeyEvent(display, caps, 0, 0)
        x11.XFlush(display)
        shown = None
        while time.monotonic() - pressed < 3:
            if strip() != before:
                shown = time.monotonic()
                break
            time.sleep(0.001)  # leaves the CPU to the program being timed
        print(f"{(shown - pressed) * 1000:.1f}" if shown else "none", flush=True)
        gone_by = time.monotonic() + 5
        while strip() != before and time.monotonic() < gone_by:
            time.sleep(0.05)
        time.sleep(0.3)  # at rest between presses, as a user's keys are


if __name__ == "__main__":
    main()
