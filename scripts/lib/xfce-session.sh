# Sourced by scripts/e2e-xfce: Xfce's own panel on a virtual X screen, with its
# window manager and its settings daemon, and one plugin in the panel, the
# notification area ("systray"), which is at once an XEmbed tray and the
# StatusNotifierWatcher and host of the session bus. Also what the tests read
# off that screen: which popup menu is open and where its rows are. Needs scripts/lib/harness.sh (poll, pids), virtual-screen.sh and $work.

XFCE_PANEL_HEIGHT=30

# The panel's settings as xfconfd reads them at start: one panel along the
# bottom edge holding the notification area alone, its icons 22 pixels high.
write_panel_settings() {  # $1: the panel's XDG_CONFIG_HOME
  local dir="$1/xfce4/xfconf/xfce-perchannel-xml"
  mkdir -p "$dir"
  cat >"$dir/xfce4-panel.xml" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=8;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="$XFCE_PANEL_HEIGHT"/>
      <property name="icon-size" type="uint" value="22"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
EOF
}

on_bus() { gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
  -m org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true; }
# The XEmbed tray is there once someone owns the screen's tray selection.
xembed_selection_owned() {
  python3 - <<'EOF' 2>/dev/null
import ctypes, ctypes.util, os, sys
x = ctypes.CDLL(ctypes.util.find_library("X11"))
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGetSelectionOwner.restype = ctypes.c_ulong
d = x.XOpenDisplay(None)
sys.exit(0 if d and x.XGetSelectionOwner(d, x.XInternAtom(d, b"_NET_SYSTEM_TRAY_S0", 0)) else 1)
EOF
}
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Starts xfconfd, xfwm4 and xfce4-panel on $DISPLAY, the settings under $1, and
# waits for the notification area to hold both trays: the tray selection and a
# registered StatusNotifierHost. The panel waits for a window manager before it
# shows, as it does at log-on.
start_xfce_panel() {  # $1: the panel's XDG_CONFIG_HOME
  write_panel_settings "$1"
  XDG_CONFIG_HOME=$1 /usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd >"$work/xfconfd.log" 2>&1 &
  pids+=($!)
  poll 10 on_bus org.xfce.Xfconf || { echo "xfconfd did not take its name"; cat "$work/xfconfd.log"; return 1; }
  XDG_CONFIG_HOME=$1 xfwm4 --compositor=off >"$work/xfwm4.log" 2>&1 &
  pids+=($!)
  poll 10 wm_running || { echo "xfwm4 did not start"; cat "$work/xfwm4.log"; return 1; }
  XDG_CONFIG_HOME=$1 xfce4-panel >"$work/panel.log" 2>&1 &
  panel=$!
  pids+=("$panel")
  if ! poll 20 xembed_selection_owned || ! poll 20 host_registered; then
    echo "the notification area did not start"
    cat "$work/panel.log"
    return 1
  fi
}

# The popup menu on the screen: a viewable override-redirect top-level window
# taller than a tooltip. Prints "id width height x y".
popup_menu() {
  local id info
  for id in $(xwininfo -root -children | awk '/^ +0x/ {print $1}'); do
    info=$(xwininfo -id "$id" 2>/dev/null) || continue
    grep -q 'Map State: IsViewable' <<<"$info" || continue
    grep -q 'Override Redirect State: yes' <<<"$info" || continue
    awk -v id="$id" '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
      /Width:/ {w=$NF} /Height:/ {h=$NF}
      END { if (h > 50 && w > 50) { print id, w, h, x, y; found=1 } exit !found }' <<<"$info" && return 0
  done
  return 1
}
menu_open() { popup_menu >/dev/null; }
no_menu_open() { ! popup_menu >/dev/null; }

# The rows of text in the open menu, top to bottom: the screen's "x y" of each
# one's middle. A separator draws no text, so the rows are the items alone; a
# mnemonic's underline, a pixel or two below its letter, belongs to its row.
menu_rows() {  # $1 screenshot
  local id w h x y
  read -r id w h x y <<<"$(popup_menu)" || return 1
  [ -n "$id" ] || return 1
  convert "$1" -crop "${w}x$h+$x+$y" +repage -colorspace gray -depth 8 gray:- |
    python3 -c '
import sys
w, h, x0, y0 = map(int, sys.argv[1:])
data = sys.stdin.buffer.read()
dark = [r for r in range(h) if any(v < 110 for v in data[r * w:(r + 1) * w])]
bands = []
for r in dark:
    if bands and r - bands[-1][1] <= 3:
        bands[-1][1] = r
    else:
        bands.append([r, r])
for top, bottom in bands:
    print(x0 + w // 2, y0 + (top + bottom) // 2)
' "$w" "$h" "$x" "$y"
}
