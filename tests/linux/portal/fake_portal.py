#!/usr/bin/python3
# A desktop portal with only the appearance setting, for a private session bus.
# It answers color-scheme with the value it was started with; a test changes it
# through org.example.PortalControl.SetColorScheme, which signals the change as
# the real portal does. Started with "held", it keeps every answer to Read until
# told to give them (PortalControl.Answer), or for good: a portal stuck waiting
# for its backend.
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

SETTINGS = "org.freedesktop.portal.Settings"
APPEARANCE = "org.freedesktop.appearance"


class Portal(dbus.service.Object):
    def __init__(self, bus, scheme, held):
        super().__init__(bus, "/org/freedesktop/portal/desktop")
        self.scheme = scheme
        self.held = [] if held else None

    # The portal's Read wraps the value in a second variant.
    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v",
                         async_callbacks=("reply", "error"))
    def Read(self, namespace, key, reply, error):
        if (namespace, key) != (APPEARANCE, "color-scheme"):
            error(dbus.exceptions.DBusException(
                "org.freedesktop.portal.Error.NotFound", "no such setting"))
        elif self.held is not None:
            self.held.append(reply)
        else:
            reply(dbus.UInt32(self.scheme, variant_level=1))

    @dbus.service.method("org.example.PortalControl")
    def Answer(self):
        for reply in self.held or []:
            reply(dbus.UInt32(self.scheme, variant_level=1))
        self.held = None

    @dbus.service.signal(SETTINGS, signature="ssv")
    def SettingChanged(self, namespace, key, value):
        pass

    @dbus.service.method("org.example.PortalControl", in_signature="u")
    def SetColorScheme(self, scheme):
        self.scheme = scheme
        self.SettingChanged(APPEARANCE, "color-scheme", dbus.UInt32(scheme))


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
portal = Portal(bus, int(sys.argv[1]), sys.argv[2:] == ["held"])
name = dbus.service.BusName("org.freedesktop.portal.Desktop", bus)
GLib.MainLoop().run()
