# Sourced by scripts/e2e-plasma: a Plasma desktop on a headless KWin, started
# as the session starts it: KWin, the activity manager, kded5 with its
# StatusNotifierWatcher module, then plasmashell, whose panel holds the system
# tray. KWin composites with OpenGL (Mesa's software renderer) because its
# screenshot interface lives in an effect that needs it. A user's pointer comes
# from tests/wayland/kwin_fake_input (org_kde_kwin_fake_input); screenshots from
# KWin's own interface (plasma-screenshot.py). Run inside a dbus-run-session of a
# clean environment. plasmashell alone registers with the accessibility bus,
# for its tree to be read as a screen reader reads it. Needs harness.sh,
# build-outputs.sh, kwin-session.sh (desktop_entry, KWIN_SOCKET), sni-panel.sh,
# atspi-tree.sh, and $work.

PLASMA_WIDTH=1024
PLASMA_HEIGHT=768
# plasmashell starts some helpers of its own that outlive it; they carry the
# run's $HOME, which is how they are found at the end.
plasma_helpers() {
  local pid
  for pid in $(pgrep -u "$(id -u)" . 2>/dev/null); do
    [ "$pid" -ne $$ ] || continue
    { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "HOME=$HOME" && echo "$pid"
  done
  return 0
}
end_plasma_helpers() {
  local pid
  for pid in $(plasma_helpers); do
    # Not a shell of this script's.
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = bash ] || kill "$pid" 2>/dev/null || true
  done
}

kwin_up() { test -S "$XDG_RUNTIME_DIR/$KWIN_SOCKET"; }
plasma_host_registered() { host_registered && on_bus org.kde.plasmashell; }
on_bus() { gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
  -m org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true; }

# Starts the session. $1: murvane, the binary KWin is to hand its keystate to.
# Leaves $pointer (the pointer program) and $plasmashell.
start_plasma_session() {
  export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
  export XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
  # Qt's accessibility is on whenever QT_LINUX_ACCESSIBILITY_ALWAYS_ON is set,
  # to 0 as well (kded5 registered so): only plasmashell is given it.
  export NO_AT_BRIDGE=1
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME/applications" "$work/bin"
  chmod 700 "$XDG_RUNTIME_DIR"
  at_exit end_plasma_helpers
  start_accessibility_bus || return 1

  pointer=$(realpath "$(wayland_test_helper kwin_fake_input)")
  [ -x "$pointer" ] || { echo "build murvane first: cmake --build --preset linux"; return 1; }
  desktop_entry murvane-under-test "$1" org_kde_kwin_keystate
  desktop_entry murvane-pointer "$pointer" org_kde_kwin_fake_input
  # KWin hands its screenshots to the program a .desktop file names, found by the
  # path of its binary: Python's own is named by python3.11.desktop too, so the
  # screenshot taker runs on a copy of Python at a path of its own.
  cp "$(realpath /usr/bin/python3)" "$work/bin/murvane-screenshot"
  desktop_entry murvane-screenshot "$work/bin/murvane-screenshot" ""
  echo 'X-KDE-DBUS-Restricted-Interfaces=org.kde.KWin.ScreenShot2' \
    >>"$XDG_DATA_HOME/applications/murvane-screenshot.desktop"
  kbuildsycoca5 --noincremental >"$work/sycoca.log" 2>&1

  # KWin's binary carries a file capability this machine refuses; a copy has none.
  # It must keep its name, or its display plugin refuses to load.
  mkdir -p "$work/kwin" && cp /usr/bin/kwin_wayland "$work/kwin/kwin_wayland"
  KWIN_COMPOSE=O2 "$work/kwin/kwin_wayland" --virtual --width "$PLASMA_WIDTH" --height "$PLASMA_HEIGHT" \
    --socket "$KWIN_SOCKET" >"$work/kwin.log" 2>&1 &
  pids+=($!)
  poll 20 kwin_up || { echo "KWin did not start"; cat "$work/kwin.log"; return 1; }

  export WAYLAND_DISPLAY=$KWIN_SOCKET QT_QPA_PLATFORM=wayland XDG_SESSION_TYPE=wayland
  export XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5
  # kded5 waits on the activity manager as it starts.
  /usr/lib/x86_64-linux-gnu/libexec/kactivitymanagerd >"$work/kactivitymanagerd.log" 2>&1 &
  pids+=($!)
  poll 20 on_bus org.kde.ActivityManager || { echo "kactivitymanagerd did not start"; return 1; }
  kded5 >"$work/kded5.log" 2>&1 &
  pids+=($!)
  poll 20 on_bus org.kde.kded5 || { echo "kded5 did not start"; cat "$work/kded5.log"; return 1; }
  # The session's start loads the watcher into kded5 before the shell.
  gdbus call --session --timeout 20 -d org.kde.kded5 -o /kded -m org.kde.kded5.loadModule statusnotifierwatcher \
    >/dev/null || { echo "kded5 has no StatusNotifierWatcher"; return 1; }
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 plasmashell --no-respawn >"$work/plasmashell.log" 2>&1 &
  plasmashell=$!
  pids+=("$plasmashell")
  poll 60 plasma_host_registered || { echo "plasmashell's tray did not register"; tail -20 "$work/plasmashell.log"; return 1; }
}

plasma_screenshot() {  # $1: PNG file
  # The system Python's copy: the system's D-Bus module, the .desktop file's name.
  PYTHONHOME=/usr "$work/bin/murvane-screenshot" scripts/lib/plasma-screenshot.py "$1"
}

# Steps for the pointer, as tests/wayland/kwin_fake_input takes them.
plasma_pointer() { "$pointer" "$@"; }
