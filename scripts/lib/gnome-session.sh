# Sourced by scripts/e2e-gnome: a headless GNOME Shell on Wayland with the
# AppIndicator extension, the tray most GNOME users see (Ubuntu ships it on),
# and what a test needs of it: real pointer clicks and keys, screenshots, the
# shell's window list, the extension turned off and on, and the notices sent to
# the shell's notification service, and its accessibility tree. Run inside a
# dbus-run-session of a clean environment. Needs harness.sh, sni-panel.sh,
# atspi-tree.sh and $work.
#
# The shell's own tools (screenshots, its window list, remote input) answer only
# a few callers, so a helper of ours, scripts/lib/gnome_shell.py, takes the
# names they trust and stays up for the whole session: input through mutter's
# remote desktop must come from one session held open, or clicks get lost.

GNOME_WAYLAND_DISPLAY=wayland-0
GNOME_SCREEN=(1280 800)
GNOME_BAR_HEIGHT=32  # the top bar's, at scale 1
# The extension as Debian installs it (package gnome-shell-extension-appindicator).
APPINDICATOR_UUID=$(basename "$(ls -d /usr/share/gnome-shell/extensions/ubuntu-appindicators@* 2>/dev/null ||
  echo ubuntu-appindicators@)")

# The shell leaves its start-up overview; a click then lands on the desktop.
overview_active() {
  gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell \
    -m org.freedesktop.DBus.Properties.Get org.gnome.Shell OverviewActive 2>/dev/null
}
overview_closed() { overview_active | grep -q false; }
shell_on_bus() {
  gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m org.freedesktop.DBus.NameHasOwner org.gnome.Shell 2>/dev/null | grep -q true
}
# The watcher is the extension's: it is there once the extension runs.
watcher_up() { ! no_watcher; }

# The shell stops at start without a system bus; an empty one of our own keeps
# the machine's (if any) out of the test.
start_system_bus() {
  cat >"$work/system-bus.conf" <<CONF
<busconfig>
  <type>system</type>
  <listen>unix:path=$XDG_RUNTIME_DIR/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
CONF
  dbus-daemon --config-file="$work/system-bus.conf" --nofork --nopidfile \
    >"$work/system-bus.log" 2>&1 &
  pids+=($!)
  poll 10 test -S "$XDG_RUNTIME_DIR/system_bus_socket" || { echo "the system bus did not start"; cat "$work/system-bus.log"; return 1; }
  export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/system_bus_socket"
}

# The helper's answers come tagged with the command's tag, so an answer that
# came after its command gave up is not taken for the next command's.
gnome_shell_do() {  # the command and its words; prints the answer
  local tag="$BASHPID.$RANDOM" reply
  printf '%s %s\n' "$tag" "$*" >&"$hands_in" || return 1
  while IFS= read -r -t 30 reply <&"$hands_out"; do
    [ "${reply%% *}" = "$tag" ] || continue
    reply=${reply#"$tag" }
    case $reply in
      ok) return 0 ;;
      "ok "*) echo "${reply#ok }"; return 0 ;;
      *) echo "gnome_shell.py $1: $reply" >&2; return 1 ;;
    esac
  done
  echo "gnome_shell.py did not answer: $*" >&2
  return 1
}

start_hands() {
  mkfifo "$work/hands.in" "$work/hands.out"
  # Opened both ways, so neither side blocks on the other's open.
  exec {hands_in}<>"$work/hands.in" {hands_out}<>"$work/hands.out"
  /usr/bin/python3 -u scripts/lib/gnome_shell.py "${GNOME_SCREEN[0]}x${GNOME_SCREEN[1]}" <"$work/hands.in" >"$work/hands.out" 2>>"$work/hands.log" &
  pids+=($!)
  gnome_shell_do hello >/dev/null || { cat "$work/hands.log"; return 1; }
}

# Starts the shell with the extension on and leaves it on the empty desktop;
# its pid is in $gnome_shell.
start_gnome_session() {
  command -v gnome-shell >/dev/null || { echo "no GNOME Shell: install gnome-shell"; return 1; }
  [ -d "/usr/share/gnome-shell/extensions/$APPINDICATOR_UUID" ] ||
    { echo "no AppIndicator extension: install gnome-shell-extension-appindicator"; return 1; }
  export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
  export XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
  export NO_AT_BRIDGE=1 GTK_A11Y=none
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
  chmod 700 "$XDG_RUNTIME_DIR"
  start_system_bus || return 1
  # What the bus starts on demand (dconf, above all) must see the same folders,
  # or the settings would go to the real home's.
  dbus-update-activation-environment HOME XDG_RUNTIME_DIR XDG_CONFIG_HOME XDG_DATA_HOME \
    XDG_CACHE_HOME DBUS_SYSTEM_BUS_ADDRESS NO_AT_BRIDGE GTK_A11Y
  start_accessibility_bus || return 1
  gsettings set org.gnome.shell enabled-extensions "['$APPINDICATOR_UUID']"
  # Nothing should lock the screen or show a welcome in the middle of a click.
  gsettings set org.gnome.shell welcome-dialog-last-shown-version '999'
  gsettings set org.gnome.desktop.session idle-delay 0
  gsettings set org.gnome.desktop.screensaver lock-enabled false
  # A pointer that passes the top left corner would open the overview.
  gsettings set org.gnome.desktop.interface enable-hot-corners false
  # Without a display manager the shell warns once that it cannot lock: one
  # notice fewer over the screenshots. (As root it also warns that the session
  # is privileged; nothing turns that one off, and the checks look past it.)
  mkdir -p "$XDG_DATA_HOME/gnome-shell" && touch "$XDG_DATA_HOME/gnome-shell/lock-warning-shown"

  dbus-monitor --session \
    "type='method_call',interface='org.freedesktop.Notifications',member='Notify'" \
    >"$work/notify.log" 2>&1 &
  pids+=($!)

  # The top bar a screen reader reads is in the shell's own tree, so the shell
  # alone goes without NO_AT_BRIDGE.
  env -u NO_AT_BRIDGE gnome-shell --wayland --headless --no-x11 --virtual-monitor "${GNOME_SCREEN[0]}x${GNOME_SCREEN[1]}" \
    --wayland-display "$GNOME_WAYLAND_DISPLAY" >"$work/gnome-shell.log" 2>&1 &
  gnome_shell=$!
  pids+=("$gnome_shell")
  if ! poll 60 shell_on_bus || ! poll 30 test -S "$XDG_RUNTIME_DIR/$GNOME_WAYLAND_DISPLAY"; then
    echo "GNOME Shell did not start"
    tail -n 30 "$work/gnome-shell.log"
    return 1
  fi
  dbus-update-activation-environment WAYLAND_DISPLAY="$GNOME_WAYLAND_DISPLAY" XDG_SESSION_TYPE=wayland \
    XDG_CURRENT_DESKTOP=GNOME
  start_hands || return 1
  # The shell's notification service is a gjs program the shell starts; until
  # it owns its name, a notice would start whatever else claims the name.
  poll 20 notifications_owned ||
    echo "no notification service on the bus: the shell's runs on gjs (package gjs)"
  poll 30 watcher_up || { echo "the AppIndicator extension did not start its watcher"; tail -n 30 "$work/gnome-shell.log"; return 1; }
  poll 30 overview_active >/dev/null || { echo "GNOME Shell does not answer"; return 1; }
  gnome_shell_do key 0xff1b || return 1  # Escape
  if ! poll 10 overview_closed; then
    # An Escape that came before the overview took the keyboard is lost.
    gnome_shell_do key 0xff1b || return 1
    poll 10 overview_closed || { echo "the overview does not close"; return 1; }
  fi
}

stop_gnome_session() {
  [ -n "${gnome_shell:-}" ] || return 0
  kill "$gnome_shell" 2>/dev/null || true
  poll 20 eval "! kill -0 $gnome_shell 2>/dev/null" || kill -9 "$gnome_shell" 2>/dev/null || true
  wait "$gnome_shell" 2>/dev/null || true
  gnome_shell=
}

extension_state() {  # prints the extension's state as the shell reports it (1 on, 2 off)
  gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell \
    -m org.gnome.Shell.Extensions.GetExtensionInfo "$APPINDICATOR_UUID" |
    grep -o "'state': <[0-9.]*>" | grep -o '[0-9]' | head -n 1
}
extension_on() { [ "$(extension_state)" = 1 ]; }
extension_off() { [ "$(extension_state)" = 2 ]; }

# The extension turned off and on while the shell runs, as a user does in the
# Extensions app: off, its watcher leaves the bus and its icons the top bar.
disable_appindicator() {
  gnome-extensions disable "$APPINDICATOR_UUID" && poll 20 extension_off && poll 20 no_watcher
}
enable_appindicator() {
  gnome-extensions enable "$APPINDICATOR_UUID" && poll 20 extension_on && poll 20 watcher_up
}

# The summaries of the notices that reached GNOME Shell's notification service,
# one a line, in the order they came. A program sends its Notify to
# org.freedesktop.Notifications, which a helper of the shell owns and passes on
# to the shell itself: the calls counted are the ones the shell received, so
# each notice once, and none that stopped on the way. Notify's third string
# argument is the summary (one of more than one line is cut to its first).
# With "ids", each line starts with the replaces_id the notice carried.
notifications_seen() {  # $1: "ids" (optional)
  local shell
  shell=$(gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m org.freedesktop.DBus.GetNameOwner org.gnome.Shell | grep -o ":[0-9.]*") || return 1
  awk -v shell="destination=$shell " -v ids="${1:-}" '
    /^method call .*member=Notify$/ { strings = 0; inside = index($0, shell) > 0; next }
    /^(method call|method return|signal|error) / { inside = 0 }
    inside && /^   uint32 / { replaces = $2 }
    inside && /^   string "/ {
      if (++strings == 3) { sub(/^   string "/, ""); sub(/"$/, ""); print (ids != "" ? replaces " " : "") $0 }
    }' "$work/notify.log"
}
notifications_owned() {
  gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
    -m org.freedesktop.DBus.NameHasOwner org.freedesktop.Notifications 2>/dev/null | grep -q true
}

# Shell screenshots and the top bar.
screenshot() {  # $1 file, then x y w h for an area
  gnome_shell_do screenshot "$@" >/dev/null
}
window_titles() { gnome_shell_do windows; }
window_shown() {  # $1 title
  window_titles | grep -qF "\"$1\""
}
no_window() {  # $1 title
  local titles
  titles=$(window_titles) && ! grep -qF "\"$1\"" <<<"$titles"
}
click_at() { gnome_shell_do click "$@"; }  # x y [button]
press_key() { gnome_shell_do key "$@"; }   # keysym
