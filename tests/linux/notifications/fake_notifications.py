#!/usr/bin/python3
# A desktop notification service for a private session bus: it keeps every
# Notify it gets, and a test reads them back through org.example.Notices, one
# line each: app|summary|body|replaces_id|timeout|the hints a test looks at.
# The ids it returns start at 101.
import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NOTIFICATIONS = "org.freedesktop.Notifications"


# "32x32" for an RGBA picture as wide and high as it says with some ink in it.
def image(data):
    width, height, stride, alpha, bits, channels, pixels = data
    whole = bits == 8 and channels == 4 and alpha and stride >= width * 4 and \
        len(pixels) >= stride * (height - 1) + width * 4
    inked = any(pixels[y * stride + x * 4 + 3] for y in range(height) for x in range(width)) \
        if whole else False
    return f"{width}x{height}" if inked else "unreadable"


def described(hints):
    said = [f"urgency={int(hints['urgency'])}"] if "urgency" in hints else []
    if "transient" in hints:
        said.append(f"transient={int(hints['transient'])}")
    if "image-data" in hints:
        said.append("image=" + image(hints["image-data"]))
    return " ".join(said)


class Notifications(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.received = []

    @dbus.service.method(NOTIFICATIONS, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.received.append(f"{app}|{summary}|{body}|{replaces}|{timeout}|{described(hints)}")
        return 100 + len(self.received)

    @dbus.service.method("org.example.Notices", out_signature="as")
    def Received(self):
        return self.received


DBusGMainLoop(set_as_default=True)
session = dbus.SessionBus()
service = Notifications(session)
name = dbus.service.BusName(NOTIFICATIONS, session)
GLib.MainLoop().run()
