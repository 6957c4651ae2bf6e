# Sourced by scripts/bench. Under Wine: a Caps Lock press to the first frame of
# murvane.exe's on-screen display. The display is mapped only once its picture is
# in place (UpdateLayeredWindow comes before the window is shown), so its frame is
# taken to be up at the MapNotify of its X window, which xev, watching the Wine
# desktop's children, stamps as it arrives. The press is stamped just before
# xdotool starts, so xdotool's own start-up counts against the figure.
# Figures only, never asserted.
#   bench_display_wine [EXE] [SAMPLES]
bench_display_wine() {
  local exe=${1:-$(murvane_windows_exe)} samples=${2:-10}
  [ -f "$exe" ] && command -v wine Xvfb xev xdotool xwininfo stdbuf >/dev/null || return 0
  (
    # A subshell of its own, so its screen, Wine and clean-up end with it.
    set -euo pipefail
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
    exe=$(realpath "$exe")
    source "$root/scripts/lib/harness.sh"
    source "$root/scripts/lib/virtual-screen.sh"
    source "$root/scripts/lib/wine-prefix.sh"
    source "$root/scripts/lib/wine-desktop.sh"
    work_folder work murvane-bench-display
    start_virtual_screen 1024x768x24 -noreset
    at_exit "wineserver -k 2>/dev/null"
    new_wine_prefix "$work/prefix"
    wine reg add 'HKCU\Software\Polden Software\Murvane\Settings' /v OnScreenDisplay /d 1 /f \
      >/dev/null 2>&1
    start_murvane_desktop "$exe" >/dev/null

    shown() { window_visible "Murvane - Avviso a schermo"; }
    hidden() { ! shown; }
    # The first display makes the window and the pictures' large frames: not timed.
    xdotool key Caps_Lock
    poll 10 shown
    local display
    display=$(xwininfo -root -tree | awk '/"Murvane - Avviso a schermo"/ { print $1; exit }')
    mapped_after() {  # $1: time of the press; prints when the display was next mapped
      awk -v after="$1" -v window="window $display, override" \
        '$1 > after && index($0, window) { print $1; exit }' "$work/events" | grep .
    }
    stdbuf -oL xev -id "$DESKTOP_WINDOW" -event substructure \
      > >(while IFS= read -r line; do echo "$EPOCHREALTIME $line"; done >"$work/events") 2>/dev/null &
    pids+=($!)
    # A second one, untimed too: once xev reports it, xev is surely listening.
    poll 10 hidden
    xdotool key Caps_Lock
    poll 10 mapped_after 0 >/dev/null
    local worst=0 taken=0 pressed mapped took
    for _ in $(seq "$samples"); do
      poll 10 hidden || continue
      pressed=$EPOCHREALTIME
      xdotool key Caps_Lock
      poll 5 mapped_after "$pressed" >/dev/null || continue
      mapped=$(mapped_after "$pressed")
      took=$(awk -v a="$pressed" -v b="$mapped" 'BEGIN { printf "%.0f", (b - a) * 1000 }')
      taken=$((taken + 1))
      [ "$took" -gt "$worst" ] && worst=$took
    done
    echo "Wine: key press to on-screen display (worst of $taken): $worst ms (target <= 150 ms)"
  )
}
