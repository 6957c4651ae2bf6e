# Sourced by the scripts: the one way to start a virtual X screen. Xvfb picks a
# free display itself and writes its number to a descriptor (-displayfd) once it
# takes connections; a number guessed from /tmp/.X*-lock races another run.
# Needs scripts/lib/harness.sh (pids, poll).

# Starts Xvfb, exports DISPLAY and leaves the server's pid in VIRTUAL_SCREEN_PID;
# it is ended at exit.
start_virtual_screen() {  # $1: WIDTHxHEIGHTxDEPTH (1024x768x24), then more Xvfb arguments (-noreset)
  local size=${1:-1024x768x24} number_file
  shift || true
  number_file=$(mktemp)
  Xvfb -displayfd 9 -screen 0 "$size" -nolisten tcp "$@" 9>"$number_file" >/dev/null 2>&1 &
  VIRTUAL_SCREEN_PID=$!
  pids+=("$VIRTUAL_SCREEN_PID")
  if ! poll 30 grep -q '^[0-9]' "$number_file"; then
    rm -f "$number_file"
    echo "Xvfb did not start" >&2
    return 1
  fi
  DISPLAY=":$(head -1 "$number_file")"
  export DISPLAY
  rm -f "$number_file"
}

# The user's own display when it answers, else a virtual screen.
use_or_start_virtual_screen() {  # arguments as start_virtual_screen's
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  start_virtual_screen "$@"
}
