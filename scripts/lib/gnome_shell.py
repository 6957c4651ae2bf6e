#!/usr/bin/python3
"""The test's hands and eyes in a GNOME Shell session: pointer and keys through
mutter's remote desktop, screenshots, the shell's window list, and the pixel
sums the checks make of the screenshots.

Run once per shell by scripts/lib/gnome-session.sh, with the screen's size
(WxH) as its argument, on the session bus in $DBUS_SESSION_BUS_ADDRESS. It
reads one command a line on stdin, after a tag of the caller's, and answers
each with one line on stdout: the tag, then "ok" and the result, or "error"
and why.

  screenshot FILE [X Y W H]   the screen (or an area of it) as a PNG
  windows                     the titles of the shell's windows, as JSON
  focused                     the title of the window with the keyboard, or nothing
  key KEYSYM[+KEYSYM...]      press keys in turn and release them the other way
                              round (X keysyms, 0x.. or decimal): 0xffe9+0x63 is Alt+C
  click X Y [BUTTON]          move the pointer there and click (1 left, 3 right)
  move X Y                    move the pointer there
  icons EMPTY FULL X0 Y0 X1 Y1
                              boxes in the area that differ between the two
                              pictures, as JSON [[x0, y0, x1, y1], ...]
  which FILE BOX ITEM...      which item's picture (IconPixmap, by bus name)
                              is drawn in the box [x0, y0, x1, y1] of the picture,
                              and how far it is from it (mean difference of a
                              colour channel, 0 to 255)
  menu EMPTY SHOT X Y0        the lines of a menu that opened under the top bar
                              (below Y0, about X) in SHOT and not in EMPTY, top
                              to bottom, as JSON [[x, y], ...]: their middles
  hello                       answers once the helper holds its names
  quit

It is a process that lives as long as the shell: mutter ends a remote desktop
session with the connection that made it, and a session made per click was
seen to lose clicks.
"""

import json
import sys
import time

import dbus
import gi

gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf  # noqa: E402

# The shell answers these only to a caller that owns one of a few names: the
# screenshot tool's, and the desktop portal's.
ALLOWED_NAMES = ("org.gnome.Screenshot", "org.freedesktop.impl.portal.desktop.gnome")

# A menu's separator is a line of 1 or 2 px; a line of text is taller.
SHORTEST_TEXT = 5

# evdev codes, which is what mutter takes for buttons.
BUTTONS = {1: 0x110, 2: 0x112, 3: 0x111}


class Shell:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.bus = dbus.SessionBus()
        for name in ALLOWED_NAMES:
            self.bus.request_name(name, dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
        self.remote = None
        self.pointer = None  # where this process last put the pointer

    def _shell_call(self, path, interface, method, *args):
        """A call the shell checks the caller of. The shell learns of our names
        a moment after we take them, and refuses until then."""
        proxy = self.bus.get_object("org.gnome.Shell", path)
        deadline = time.monotonic() + 10
        while True:
            try:
                return proxy.get_dbus_method(method, interface)(*args, timeout=20)
            except dbus.DBusException as e:
                refused = e.get_dbus_name() == "org.freedesktop.DBus.Error.AccessDenied"
                if not refused or time.monotonic() > deadline:
                    raise
                time.sleep(0.1)

    def screenshot(self, path, *area):
        if area:
            x, y, w, h = (int(v) for v in area)
            ok, _ = self._shell_call("/org/gnome/Shell/Screenshot", "org.gnome.Shell.Screenshot",
                                     "ScreenshotArea", x, y, w, h, False, path)
        else:
            ok, _ = self._shell_call("/org/gnome/Shell/Screenshot", "org.gnome.Shell.Screenshot",
                                     "Screenshot", False, False, path)
        if not ok:
            raise RuntimeError("the shell took no screenshot")
        return path

    def _windows(self):
        return self._shell_call("/org/gnome/Shell/Introspect", "org.gnome.Shell.Introspect",
                                "GetWindows")

    def focused(self):
        return next((str(props.get("title", "")) for props in self._windows().values()
                     if props.get("has-focus")), None)

    def windows(self):
        found = self._windows()
        return json.dumps(sorted(str(props.get("title", "")) for props in found.values()),
                          separators=(",", ":"))

    def _input(self):
        if self.remote is None:
            desktop = self.bus.get_object("org.gnome.Mutter.RemoteDesktop",
                                          "/org/gnome/Mutter/RemoteDesktop")
            path = desktop.CreateSession(dbus_interface="org.gnome.Mutter.RemoteDesktop")
            session = self.bus.get_object("org.gnome.Mutter.RemoteDesktop", path)
            self.remote = dbus.Interface(session, "org.gnome.Mutter.RemoteDesktop.Session")
            self.remote.Start()
        return self.remote

    def key(self, chord):
        codes = [dbus.UInt32(int(keysym, 0)) for keysym in chord.split("+")]
        remote = self._input()
        for code in codes:
            remote.NotifyKeyboardKeysym(code, True)
        for code in reversed(codes):
            remote.NotifyKeyboardKeysym(code, False)

    def move(self, x, y):
        # Absolute motion needs a screencast stream, which needs PipeWire. Relative
        # motion is not accelerated for a virtual device: first into a corner,
        # where the pointer stops, then the distance. Not the top left one: it
        # is the shell's hot corner, which opens the overview.
        remote = self._input()
        x, y = float(x), float(y)
        if self.pointer is None:
            remote.NotifyPointerMotionRelative(100000.0, 100000.0)
            self.pointer = (self.width - 1.0, self.height - 1.0)
        remote.NotifyPointerMotionRelative(x - self.pointer[0], y - self.pointer[1])
        self.pointer = (x, y)

    def pixmap(self, item):
        """An item's 16 px picture (or its first) as rows of ARGB tuples."""
        proxy = self.bus.get_object(item, "/StatusNotifierItem")
        pixmaps = proxy.Get("org.kde.StatusNotifierItem", "IconPixmap",
                            dbus_interface="org.freedesktop.DBus.Properties")
        if not pixmaps:
            raise RuntimeError(f"{item} has no IconPixmap")
        w, h, data = next((p for p in pixmaps if p[0] == 16), pixmaps[0])
        data = bytes(data)
        return [[tuple(data[(y * w + x) * 4:(y * w + x) * 4 + 4]) for x in range(w)]
                for y in range(h)]

    def click(self, x, y, button="1"):
        self.move(x, y)
        remote = self._input()
        code = BUTTONS[int(button)]
        remote.NotifyPointerButton(code, True)
        remote.NotifyPointerButton(code, False)


class Picture:
    def __init__(self, path):
        pixbuf = GdkPixbuf.Pixbuf.new_from_file(path)
        self.width, self.height = pixbuf.get_width(), pixbuf.get_height()
        self.stride, self.channels = pixbuf.get_rowstride(), pixbuf.get_n_channels()
        self.pixels = pixbuf.get_pixels()

    def rgb(self, x, y):
        at = y * self.stride + x * self.channels
        return self.pixels[at], self.pixels[at + 1], self.pixels[at + 2]


def unlike(a, b):
    return sum(abs(p - q) for p, q in zip(a, b)) > 48


def runs(flags, gap):
    """[start, end] of the runs of true flags, runs closer than gap joined."""
    found = []
    for i, flag in enumerate(flags):
        if not flag:
            continue
        if found and i - found[-1][1] <= gap:
            found[-1][1] = i
        else:
            found.append([i, i])
    return found


def icons(empty, full, x0, y0, x1, y1):
    """The boxes that appeared in an area of the top bar: columns that changed,
    grouped across a gap of 3 px at most (the bar puts 20 px or more between
    two icons)."""
    before, after = Picture(empty), Picture(full)
    x0, y0 = int(x0), int(y0)
    x1 = min(int(x1), before.width - 1, after.width - 1)
    y1 = min(int(y1), before.height - 1, after.height - 1)
    changed = [[unlike(before.rgb(x, y), after.rgb(x, y)) for y in range(y0, y1 + 1)]
               for x in range(x0, x1 + 1)]
    boxes = []
    for start, end in runs([any(col) for col in changed], 3):
        rows = [any(changed[x][y] for x in range(start, end + 1)) for y in range(y1 - y0 + 1)]
        ys = [i for i, flag in enumerate(rows) if flag]
        boxes.append([x0 + start, y0 + ys[0], x0 + end, y0 + ys[-1]])
    return json.dumps(boxes, separators=(",", ":"))


def which(shell, path, box, *items):
    """The item whose picture, laid over the top bar's colour at the box's
    corner, is closest to what the box shows; tried a few pixels about the
    box, which holds only the picture's pixels that differ from the bar."""
    picture = Picture(path)
    x0, y0, x1, y1 = json.loads(box)
    bar = picture.rgb(max(x0 - 4, 0), y0)
    if not items:
        raise ValueError("no items to match")
    best = None
    for item in items:
        argb = shell.pixmap(item)
        h, w = len(argb), len(argb[0])
        for dx in range(x1 - x0 + 1 - w - 3, 4):
            for dy in range(y1 - y0 + 1 - h - 3, 4):
                left, top = x0 + dx, y0 + dy
                if left < 0 or top < 0 or left + w > picture.width or top + h > picture.height:
                    continue
                cost = 0
                for y in range(h):
                    for x in range(w):
                        a, r, g, b = argb[y][x]
                        drawn = [(v * a + c * (255 - a)) // 255 for v, c in zip((r, g, b), bar)]
                        cost += sum(abs(p - q) for p, q in zip(drawn, picture.rgb(left + x, top + y)))
                if best is None or cost < best[0]:
                    best = (cost, item, w * h * 3)
    return f"{best[1]} {best[0] / best[2]:.1f}"


def menu(empty, shot, x, y0):
    """The menu is the patch of changed pixels that hangs from the bar under
    x (a notice that came or went elsewhere is not joined to it). Its lines
    are the rows with ink, unlike the menu's own colour, in its middle part
    (clear of the rounded corners), taller than a separator."""
    before, after = Picture(empty), Picture(shot)
    x, y0 = int(x), int(y0)
    width, height = min(before.width, after.width), min(before.height, after.height)

    def changed(cx, cy):
        return unlike(before.rgb(cx, cy), after.rgb(cx, cy))

    todo = [(cx, cy) for cy in range(y0, y0 + 16) for cx in range(x - 8, x + 9)
            if 0 <= cx < width and cy < height and changed(cx, cy)]
    seen = set(todo)
    while todo:
        cx, cy = todo.pop()
        for nx, ny in ((cx + 1, cy), (cx - 1, cy), (cx, cy + 1), (cx, cy - 1)):
            if (nx, ny) not in seen and 0 <= nx < width and y0 <= ny < height and changed(nx, ny):
                seen.add((nx, ny))
                todo.append((nx, ny))
    if not seen:
        return "[]"
    left, right = min(c[0] for c in seen) + 20, max(c[0] for c in seen) - 20
    top, bottom = min(c[1] for c in seen) + 8, max(c[1] for c in seen) - 8
    counts = {}
    for cy in range(top, bottom + 1):
        for cx in range(left, right + 1):
            c = after.rgb(cx, cy)
            counts[c] = counts.get(c, 0) + 1
    if not counts:
        return "[]"
    background = max(counts, key=counts.get)
    inked = [[cx for cx in range(left, right + 1) if unlike(after.rgb(cx, cy), background)]
             for cy in range(top, bottom + 1)]
    lines = []
    for start, end in runs([len(xs) >= 2 for xs in inked], 2):
        if end - start + 1 < SHORTEST_TEXT:
            continue
        ink = [cx for row in inked[start:end + 1] for cx in row]
        lines.append([(min(ink) + max(ink)) // 2, top + (start + end) // 2])
    return json.dumps(lines, separators=(",", ":"))


def main():
    width, height = (int(v) for v in sys.argv[1].split("x"))
    shell = Shell(width, height)
    for line in sys.stdin:
        words = line.split()
        if len(words) < 2:
            continue
        tag, command, args = words[0], words[1], words[2:]
        try:
            if command == "quit":
                break
            elif command == "hello":
                result = None
            elif command == "screenshot":
                result = shell.screenshot(*args)
            elif command == "windows":
                result = shell.windows()
            elif command == "focused":
                result = shell.focused()
            elif command == "key":
                result = shell.key(*args)
            elif command == "click":
                result = shell.click(*args)
            elif command == "move":
                result = shell.move(*args)
            elif command == "icons":
                result = icons(*args)
            elif command == "which":
                result = which(shell, *args)
            elif command == "menu":
                result = menu(*args)
            else:
                raise ValueError(f"no command {command}")
            print(f"{tag} ok" if result is None else f"{tag} ok {result}", flush=True)
        except Exception as e:  # the test reads the reason; the helper lives on
            print(f"{tag} error {type(e).__name__}: {e}".replace("\n", " "), flush=True)


if __name__ == "__main__":
    main()
