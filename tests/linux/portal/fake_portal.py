#!/usr/bin/python3
# A desktop portal with only the appearance setting, for a private session bus.
# It answers color-scheme with the value it was started with; a test changes it
# through org.example.PortalControl.SetColorScheme, which signals the change as
# the real portal does.
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

SETTINGS = "org.freedesktop.portal.Settings"
APPEARANCE = "org.freedesktop.appearance"


class Portal(dbus.service.Object):
    def __init__(self, bus, scheme):
        super().__init__(bus, "/org/freedesktop/portal/desktop")
        self.scheme = scheme

    # The portal's Read wraps the value in a second variant.
    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v")
    def Read(self, namespace, key):
        if (namespace, key) != (APPEARANCE, "color-scheme"):
            raise dbus.exceptions.DBusException(
                "org.freedesktop.portal.Error.NotFound", "no such setting")
        return dbus.UInt32(self.scheme, variant_level=1)

    @dbus.service.signal(SETTINGS, signature="ssv")
    def SettingChanged(self, namespace, key, value):
        pass

    @dbus.service.method("org.example.PortalControl", in_signature="u")
    def SetColorScheme(self, scheme):
        self.scheme = scheme
        self.SettingChanged(APPEARANCE, "color-scheme", dbus.UInt32(scheme))


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
portal = Portal(bus, int(sys.argv[1]))
name = dbus.service.BusName("org.freedesktop.portal.Desktop", bus)
GLib.MainLoop().run()
