#!/usr/bin/python3
# A StatusNotifierItem panel for a private session bus: the watcher, which says
# a host is there so Qt's tray takes D-Bus, and a host that sends an item's
# menu what a test tells it, as real panels send it (org.example.Panel.Send).
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPERTIES = "org.freedesktop.DBus.Properties"
# Qt reads the watcher's property through its introspection data.
WATCHER_XML = f"""<node><interface name="{WATCHER}">
<property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
<property name="ProtocolVersion" type="i" access="read"/>
<property name="RegisteredStatusNotifierItems" type="as" access="read"/>
<method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
<method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
<signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
</interface></node>"""


class Panel(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.bus = bus
        self.items = []

    def watcher_properties(self):
        return {"IsStatusNotifierHostRegistered": True, "ProtocolVersion": 0,
                "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s")}

    @dbus.service.method("org.freedesktop.DBus.Introspectable", out_signature="s")
    def Introspect(self):
        return WATCHER_XML

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.watcher_properties()[name]

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.watcher_properties()

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender):
        self.items.append(service if service.startswith(":") or "." in service else sender)
        self.StatusNotifierItemRegistered(service)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    @dbus.service.method("org.example.Panel", out_signature="i")
    def Items(self):
        return len(self.items)

    # key: whose item, by its tooltip's title; what: abouttoshow, opened,
    # closed, or an item's label to click.
    @dbus.service.method("org.example.Panel", in_signature="ss")
    def Send(self, key, what):
        service = next(s for s in self.items if key in self.tip(s))
        path = self.item_property(service, "Menu")
        menu = dbus.Interface(self.bus.get_object(service, path), MENU)
        if what == "abouttoshow":
            menu.AboutToShow(0)
        elif what in ("opened", "closed"):
            menu.Event(0, what, dbus.Int32(0, variant_level=1), dbus.UInt32(time.time()))
        else:
            menu.Event(self.item_id(menu, what), "clicked", dbus.Int32(0, variant_level=1),
                       dbus.UInt32(time.time()))

    def item_property(self, service, name):
        item = self.bus.get_object(service, "/StatusNotifierItem")
        return item.Get(ITEM, name, dbus_interface=PROPERTIES)

    def tip(self, service):
        return str(self.item_property(service, "ToolTip")[2])

    @staticmethod
    def item_id(menu, label):
        _, (_, _, children) = menu.GetLayout(0, -1, [])
        return next(child[0] for child in children if child[1].get("label") == label)


DBusGMainLoop(set_as_default=True)
session = dbus.SessionBus()
panel = Panel(session)
name = dbus.service.BusName(WATCHER, session)
GLib.MainLoop().run()
