# Sourced by the end-to-end scripts that check the on-screen display on
# Wayland, where the desktop draws it: stand-ins of the services it goes to
# (Plasma's display service, a notification service) from tests/linux, the
# settings switch that turns it on, and what each stand-in received.
# Needs harness.sh (poll, pids), sni-panel.sh (run_menu_item) and $work.

OSD_SHELL=org.kde.plasmashell
OSD_PATH=/org/kde/osdService
NOTIFICATIONS=org.freedesktop.Notifications
NOTIFICATIONS_PATH=/org/freedesktop/Notifications
# What every display sent as a notification carries after its texts.
DISPLAY_HINTS='1500|urgency=0 transient=1 image=32x32'

name_owned() {  # $1 bus name
  gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true
}

# Starts a stand-in from the checkout (or its copy) and waits until it holds
# its name; leaves its pid in $stand_in.
start_display_stand_in() {  # $1 its file under tests/linux, $2 the bus name it takes
  /usr/bin/python3 "tests/linux/$1" >>"$work/stand-ins.log" 2>&1 &
  stand_in=$!
  pids+=("$stand_in")
  poll 10 name_owned "$2" || { echo "the stand-in $1 did not start"; cat "$work/stand-ins.log"; return 1; }
}

stop_display_stand_in() {  # $1 its pid, $2 its bus name
  kill "$1" 2>/dev/null || true
  poll 10 eval "! name_owned $2"
}

# The stand-ins keep one line per call (see their files): app|summary|body|replaces_id|...
# for a notification, osd|png|text for Plasma's service.
display_received() {  # $1 bus name, $2 object path, $3 the whole line, as a basic regular expression
  gdbus call --session -d "$1" -o "$2" -m org.example.Notices.Received 2>/dev/null | grep -q "'$3'"
}
osd_received() { display_received "$OSD_SHELL" "$OSD_PATH" "$1"; }
notification_received() { display_received "$NOTIFICATIONS" "$NOTIFICATIONS_PATH" "$1"; }

display_turned_on() {  # $1 an item's bus name
  run_menu_item "$1" '_Avviso a schermo' &&
    poll 10 grep -qx 'OnScreenDisplay=1' "$XDG_CONFIG_HOME/Polden Software/Murvane.conf"
}
