# Sourced by scripts/bench. Key press to the on-screen display's first frame on X11:
# murvane with the display turned on, on Xvfb with trayer and no compositor, so a
# frame drawn is a frame on the screen. scripts/lib/display_first_frame.py presses
# Caps Lock through XTest and reads the pixels at the bottom centre until they
# change, in one process; its clock starts as the press is sent. Figures only,
# never asserted.
#   bench_display_x11 [BINARY] [SAMPLES]
bench_display_x11() {
  local bin=${1:-$(murvane_linux_binary)} samples=${2:-10}
  [ -x "$bin" ] && command -v Xvfb trayer xwininfo >/dev/null || return 0
  (
    # A subshell of its own, so its screen and clean-up end with it.
    set -euo pipefail
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
    source "$root/scripts/lib/harness.sh"
    source "$root/scripts/lib/virtual-screen.sh"
    work_folder work murvane-bench-display
    start_virtual_screen 1024x768x24 -noreset
    export HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
    unset DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORMTHEME QT_QPA_PLATFORM XDG_CONFIG_HOME
    mkdir -p "$HOME/.config/Polden Software" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    printf '[Settings]\nOnScreenDisplay=1\n' >"$HOME/.config/Polden Software/Murvane.conf"
    trayer --edge bottom --align right --widthtype pixel --width 200 --height 24 >/dev/null 2>&1 &
    pids+=($!)
    "$bin" >"$work/murvane.log" 2>&1 &
    pids+=($!)
    docked() { [ "$(xwininfo -root -tree | grep -c '"Murvane": ("murvane"')" -ge 3 ]; }
    poll 30 docked || { echo "X11: the icons did not show; no display figure"; return 0; }
    local each worst
    # No window manager: the work area is the whole screen.
    each=$(python3 "$root/scripts/lib/display_first_frame.py" "$samples" 0)
    if grep -q none <<<"$each"; then
      worst="none within 3 s for some presses"
    else
      worst="$(sort -n <<<"$each" | tail -1) ms"
    fi
    echo "X11: key press to on-screen display (worst of $samples): $worst (target <= 150 ms)"
    echo "  each: $(tr '\n' ' ' <<<"$each")"
  )
}
