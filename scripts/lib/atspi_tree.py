#!/usr/bin/python3
"""What a screen reader hears of one program: its accessibility tree as the
AT-SPI registry hands it out, one node a line.

  atspi_tree.py APP      every node of the application named APP (as the
                         registry names it: "gnome-shell", "plasmashell"),
                         depth first, as TAB-separated fields:
                         depth, role, name, description, states
  atspi_tree.py --apps   the names of the applications registered, one a line

Run with the system Python (gi and Atspi), on the session bus whose
org.a11y.Bus tells the accessibility bus. Prints nothing for an application
that is not registered, and exits 1 then. A program that never answers costs
the timeout below per call, not a hang: the caller still bounds the whole run.
"""

import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# A shell's tree holds every actor, hidden ones too; these keep a loop in a
# broken tree from running on.
DEEPEST = 60
MOST_NODES = 50000
# Milliseconds per call; a program that takes longer to answer is a stuck one.
CALL_TIMEOUT_MS = 2000

# The states that tell whether a user can reach the node at all.
TOLD_STATES = (Atspi.StateType.SHOWING, Atspi.StateType.FOCUSABLE, Atspi.StateType.SENSITIVE)


def one_line(text):
    return " ".join((text or "").split())


def states(node):
    held = node.get_state_set()
    return ",".join(s.value_nick for s in TOLD_STATES if held.contains(s))


def applications():
    """(name, application) of each one registered that answers."""
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        try:
            app = desktop.get_child_at_index(i)
            if app is not None:
                yield one_line(app.get_name()), app
        except GLib.Error:
            continue


def walk(root):
    """(depth, node) depth first; a node that stops answering is skipped."""
    todo = [(0, root)]
    seen = 0
    while todo and seen < MOST_NODES:
        depth, node = todo.pop()
        seen += 1
        yield depth, node
        if depth >= DEEPEST:
            continue
        try:
            count = node.get_child_count()
            children = [node.get_child_at_index(i) for i in range(count)]
        except GLib.Error:
            continue
        todo.extend((depth + 1, child) for child in reversed(children) if child is not None)


def describe(depth, node):
    try:
        fields = [str(depth), node.get_role_name(), one_line(node.get_name()),
                  one_line(node.get_description()), states(node)]
    except GLib.Error as e:
        fields = [str(depth), "?", "", "", f"no answer: {e.message}"]
    return "\t".join(fields)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    Atspi.init()
    Atspi.set_timeout(CALL_TIMEOUT_MS, CALL_TIMEOUT_MS)
    if sys.argv[1] == "--apps":
        for name, _ in applications():
            print(name)
        return 0
    app = next((app for name, app in applications() if name == sys.argv[1]), None)
    if app is None:
        return 1
    for depth, node in walk(app):
        print(describe(depth, node))
    return 0


if __name__ == "__main__":
    sys.exit(main())
