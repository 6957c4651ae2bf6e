# Sourced by scripts/bench. Start to icons on X11 with an XEmbed tray (trayer), by
# what the session bus offers: none, a bus with no desktop portal, a bus whose
# portal never answers the colour-scheme Read, and a bus that never answers at all.
# Figures only, never asserted.
#   bench_start_to_icons [BINARY] [SAMPLES]
bench_start_to_icons() {
  local bin=${1:-$(murvane_linux_binary)} samples=${2:-3}
  [ -x "$bin" ] && command -v Xvfb trayer xwininfo dbus-daemon dbus-send >/dev/null || return 0
  (
    # A subshell of its own, so its screen, bus and clean-up end with it.
    set -euo pipefail
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
    source "$root/scripts/lib/harness.sh"
    source "$root/scripts/lib/virtual-screen.sh"
    work_folder work murvane-bench-start
    start_virtual_screen 640x480x24 -noreset
    export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
    unset DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORMTHEME QT_QPA_PLATFORM XDG_CURRENT_DESKTOP
    mkdir -p "$HOME"
    trayer --edge bottom --align right --widthtype pixel --width 200 --height 24 >/dev/null 2>&1 &
    pids+=($!)

    # A bus of its own that starts no services: the machine's portal stays out of it.
    cat >"$work/bus.conf" <<EOF
<busconfig><type>session</type><listen>unix:path=$work/bus</listen>
<auth>EXTERNAL</auth><policy context="default"><allow send_destination="*" eavesdrop="true"/>
<allow eavesdrop="true"/><allow own="*"/></policy></busconfig>
EOF
    dbus-daemon --config-file="$work/bus.conf" --nofork --nopidfile 2>/dev/null &
    pids+=($!)
    # A socket that accepts and never answers: a stopped daemon.
    /usr/bin/python3 -c 'import socket, sys, time
s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen(); time.sleep(3600)' \
      "$work/deadbus" &
    pids+=($!)
    poll 10 test -S "$work/bus" -a -S "$work/deadbus"

    docked() { [ "$(xwininfo -root -tree | grep -c '"Murvane": ("murvane"')" -ge 3 ]; }
    one_start() {  # $1 the bus address, or empty → ms from start to three icons docked
      local runtime start murvane took=timeout
      runtime=$(mktemp -d "$work/run.XXXXXX")
      start=$(date +%s%N)
      if [ -n "$1" ]; then
        DBUS_SESSION_BUS_ADDRESS=$1 XDG_RUNTIME_DIR=$runtime "$bin" >/dev/null 2>&1 &
      else
        XDG_RUNTIME_DIR=$runtime "$bin" >/dev/null 2>&1 &
      fi
      murvane=$!
      # Finer than poll's tenth of a second: this is the figure being measured.
      for _ in $(seq 500); do
        docked && took=$((($(date +%s%N) - start) / 1000000)) && break
        sleep 0.01
      done
      kill "$murvane" 2>/dev/null || true
      wait "$murvane" 2>/dev/null || true
      poll 5 eval '! docked' || true
      echo "$took"
    }
    median() { printf '%s\n' "$@" | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

    portal_pid="" none=() bus=() stuck=() dead=()
    for _ in $(seq "$samples"); do
      none+=("$(one_start "")")
      bus+=("$(one_start "unix:path=$work/bus")")
      DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus" \
        /usr/bin/python3 "$root/tests/linux/portal/fake_portal.py" 1 held &
      portal_pid=$!
      DBUS_SESSION_BUS_ADDRESS="unix:path=$work/bus" poll 10 dbus-send --session --print-reply \
        --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetNameOwner \
        string:org.freedesktop.portal.Desktop >/dev/null 2>&1 || true
      stuck+=("$(one_start "unix:path=$work/bus")")
      kill "$portal_pid" && wait "$portal_pid" 2>/dev/null || true
      dead+=("$(one_start "unix:path=$work/deadbus")")
    done
    echo
    echo "Linux start to icons (X11, trayer already there; median of $samples, one run)"
    row() { printf '%-46s %-10s %s\n' "$1" "$(median "${@:2}")" "${*:2}"; }
    printf '%-46s %-10s %s\n' "session bus" "median ms" "each"
    row "no bus" "${none[@]}"
    row "a bus, no desktop portal" "${bus[@]}"
    row "a bus, a portal that never answers" "${stuck[@]}"
    row "a bus that never answers" "${dead[@]}"
  )
}
