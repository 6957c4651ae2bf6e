#!/usr/bin/python3
# A desktop notification service for a private session bus: it keeps every
# Notify it gets, and a test reads them back through org.example.Notices.
import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NOTIFICATIONS = "org.freedesktop.Notifications"


class Notifications(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.received = []

    @dbus.service.method(NOTIFICATIONS, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.received.append(f"{app}|{summary}|{body}")
        return len(self.received)

    @dbus.service.method("org.example.Notices", out_signature="as")
    def Received(self):
        return self.received


DBusGMainLoop(set_as_default=True)
session = dbus.SessionBus()
service = Notifications(session)
name = dbus.service.BusName(NOTIFICATIONS, session)
GLib.MainLoop().run()
