# Sourced by scripts/e2e-kwin (its checks) and scripts/bench (its KDE figures):
# the native murvane on a headless KWin, reading the lock keys through KWin's
# org_kde_kwin_keystate. A test client presses keys through
# org_kde_kwin_fake_input; gtk-sni-tray-standalone, the tray, runs on a virtual
# X screen of its own, and the items are read over D-Bus. Run inside a
# dbus-run-session of a clean environment. Needs harness.sh, build-outputs.sh,
# virtual-screen.sh and sni-panel.sh, and $work.

KWIN_SOCKET=murvane-kwin

# What KWin lets each program have: it hands its interfaces only to programs
# whose installed .desktop file has their absolute Exec= and names them.
desktop_entry() {  # $1 file name, $2 absolute Exec, $3 interfaces
  printf '%s\n' '[Desktop Entry]' 'Type=Application' "Name=$1" "Exec=$2" 'NoDisplay=true' \
    "X-KDE-Wayland-Interfaces=$3" >"$XDG_DATA_HOME/applications/$1.desktop"
}

# Starts KWin, the tray on its own X screen (left in $panel_display) and a
# monitor of NewToolTip signals (in $work/signals.log). $1: murvane, $2: the key presser.
start_kwin_session() {
  export HOME="$work" XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
  export XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
  export NO_AT_BRIDGE=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=0
  mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME/applications" && chmod 700 "$XDG_RUNTIME_DIR"
  desktop_entry murvane-under-test "$1" org_kde_kwin_keystate
  desktop_entry murvane-press-keys "$2" org_kde_kwin_fake_input
  kbuildsycoca5 --noincremental >"$work/sycoca.log" 2>&1

  # The tray's screen is not KWin's: KWin starts with no DISPLAY.
  start_virtual_screen 640x480x24 -noreset
  panel_display=$DISPLAY
  unset DISPLAY

  # KWin's binary carries a file capability this machine refuses; a copy has none.
  # It must keep its name, or its display plugin refuses to load.
  mkdir -p "$work/kwin" && cp /usr/bin/kwin_wayland "$work/kwin/kwin_wayland"
  KWIN_COMPOSE=Q "$work/kwin/kwin_wayland" --virtual --socket "$KWIN_SOCKET" >"$work/kwin.log" 2>&1 &
  pids+=($!)
  poll 20 test -S "$XDG_RUNTIME_DIR/$KWIN_SOCKET" || { echo "KWin did not start"; cat "$work/kwin.log"; return 1; }

  DISPLAY=$panel_display start_panel || return 1
  dbus-monitor --session --profile "type='signal',member='NewToolTip'" >"$work/signals.log" 2>&1 &
  pids+=($!)
}

# As on a Plasma session: Wayland, with an X display beside it that must not be
# read. Leaves the pid in $murvane.
start_murvane_on_kwin() {  # $1: murvane
  WAYLAND_DISPLAY=$KWIN_SOCKET QT_QPA_PLATFORM=wayland XDG_SESSION_TYPE=wayland \
    XDG_CURRENT_DESKTOP=KDE DISPLAY=$panel_display "$1" >"$work/murvane.log" 2>&1 &
  murvane=$!
  pids+=("$murvane")
}

# Presses and releases a key in KWin; prints when, in seconds as dbus-monitor stamps.
press_in_kwin() {  # $1: the key presser, $2: evdev code
  WAYLAND_DISPLAY=$KWIN_SOCKET "$1" "$2"
}

# Milliseconds from a press to murvane's first NewToolTip after it, or nothing.
tip_latency_after() {  # $1: the press's time as press_in_kwin printed it
  local signalled
  signalled=$(awk -v after="$1" '$2 > after && /NewToolTip/ { print $2; exit }' "$work/signals.log")
  [ -z "$signalled" ] || awk -v a="$1" -v b="$signalled" 'BEGIN { printf "%.1f", (b - a) * 1000 }'
}
