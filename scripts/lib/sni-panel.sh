# Sourced by the end-to-end scripts on the D-Bus tray path: what a panel sees of
# murvane's items over the session bus, and a panel of our own to start
# (gtk-sni-tray-standalone, which is its own StatusNotifierWatcher). Needs
# scripts/lib/harness.sh (poll, pids) and $work.

watcher() {  # $1 property of the watcher
  gdbus call --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher \
    -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher "$1" 2>/dev/null
}
host_registered() { watcher IsStatusNotifierHostRegistered | grep -q true; }
no_watcher() { ! watcher ProtocolVersion >/dev/null; }
items() { watcher RegisteredStatusNotifierItems | grep -o ':[0-9.]*' || true; }
no_items() { [ -z "$(items)" ]; }
three_items() { [ "$(items | wc -l)" -eq 3 ]; }
item_property() {  # $1 item's bus name, $2 property
  gdbus call --session -d "$1" -o /StatusNotifierItem \
    -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem "$2"
}
item_with_tip() {  # $1 tip: the bus name of the item showing it
  local item
  for item in $(items); do
    item_property "$item" ToolTip | grep -q "'$1'" && { echo "$item"; return 0; }
  done
  return 1
}
has_tip() { item_with_tip "$1" >/dev/null; }

# What a panel does when the user picks a menu item: announce the menu, open it,
# click the item (found by its label, & shown as _), close it.
run_menu_item() {  # $1 item's bus name, $2 label as dbusmenu writes it
  local menu id
  menu=$(item_property "$1" Menu | grep -o "'/[^']*'" | tr -d "'")
  id=$(gdbus call --session -d "$1" -o "$menu" -m com.canonical.dbusmenu.GetLayout -- 0 -1 '[]' |
    grep -o "<([0-9]*, {[^}]*'label': <'$2'>" | grep -o '^<([0-9]*' | tr -d '<(' || true)
  [ -n "$id" ] || return 1
  local dbusmenu=(gdbus call --session -d "$1" -o "$menu" -m)
  "${dbusmenu[@]}" com.canonical.dbusmenu.AboutToShow -- 0 >/dev/null
  "${dbusmenu[@]}" com.canonical.dbusmenu.Event -- 0 opened '<0>' 0 >/dev/null
  "${dbusmenu[@]}" com.canonical.dbusmenu.Event -- "$id" clicked '<0>' 0 >/dev/null
  # Esci may have ended the program already.
  "${dbusmenu[@]}" com.canonical.dbusmenu.Event -- 0 closed '<0>' 0 >/dev/null 2>&1 || true
}

panel_settled() { host_registered || ! kill -0 "$panel" 2>/dev/null; }

# Starts the panel on $DISPLAY and leaves its pid in $panel. This panel races
# itself at start: its host can ask its own watcher before the watcher object
# is exported, and the panel then exits. A start that does not end with a
# registered host is tried again in a fresh process.
start_panel() {
  local attempt
  for attempt in 1 2 3; do
    gtk-sni-tray-standalone --watcher --bottom >>"$work/panel.log" 2>&1 &
    panel=$!
    pids+=("$panel")
    poll 20 panel_settled
    host_registered && return 0
    echo "the panel did not register as a host (attempt $attempt)"
    kill "$panel" 2>/dev/null || true
    wait "$panel" 2>/dev/null || true
    poll 10 no_watcher || true
  done
  cat "$work/panel.log"
  return 1
}
