"""What KWin shows on its one output, as a PNG: plasma-screenshot.py FILE.

Asks KWin's screenshot interface, which answers only programs whose .desktop
file names it (scripts/lib/plasma-session.sh writes one for the Python that
runs this), and writes the pixels it sends down a pipe through ImageMagick."""
import os
import subprocess
import sys

import dbus

bus = dbus.SessionBus()
screenshots = dbus.Interface(bus.get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2"),
                             "org.kde.KWin.ScreenShot2")
reading, writing = os.pipe()
shot = screenshots.CaptureActiveScreen({"native-resolution": True}, dbus.types.UnixFd(writing))
os.close(writing)
with os.fdopen(reading, "rb") as pipe:
    pixels = pipe.read()
width, height, stride = int(shot["width"]), int(shot["height"]), int(shot["stride"])
if len(pixels) < stride * height:
    sys.exit(f"plasma-screenshot: {len(pixels)} bytes for {width}x{height}")
# QImage's 32-bit formats: one little-endian 0xAARRGGBB word a pixel.
rows = b"".join(pixels[row * stride:row * stride + width * 4] for row in range(height))
subprocess.run(["convert", "-size", f"{width}x{height}", "-depth", "8", "bgra:-", "-alpha", "off",
                sys.argv[1]], input=rows, check=True)
