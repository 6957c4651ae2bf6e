# Sourced by the scripts: gives them an X display, starting Xvfb when there is none.
start_virtual_screen() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local number
  for number in $(seq 90 120); do
    [ -e "/tmp/.X${number}-lock" ] && continue
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    VIRTUAL_SCREEN_PID=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && break
      sleep 0.1
    done
    trap 'kill "$VIRTUAL_SCREEN_PID" 2>/dev/null || true' EXIT
    return 0
  done
  echo "no free X display number" >&2
  return 1
}
