#!/usr/bin/python3
# Plasma's on-screen display service, its showText alone, for a private session
# bus. A test reads the calls back through org.example.Notices, one line each:
# "osd|<picture>|<text>", where the picture is "png" for a PNG file that can be
# read, else what came.
import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib


def picture(icon):
    try:
        with open(icon, "rb") as file:
            return "png" if file.read(8) == b"\x89PNG\r\n\x1a\n" else icon
    except OSError:
        return icon


class Osd(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/kde/osdService")
        self.received = []

    @dbus.service.method("org.kde.osdService", in_signature="ss")
    def showText(self, icon, text):
        self.received.append(f"osd|{picture(icon)}|{text}")

    @dbus.service.method("org.example.Notices", out_signature="as")
    def Received(self):
        return self.received


DBusGMainLoop(set_as_default=True)
session = dbus.SessionBus()
service = Osd(session)
name = dbus.service.BusName("org.kde.plasmashell", session)
GLib.MainLoop().run()
