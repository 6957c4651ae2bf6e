# Sourced by every test script: one check and its tally, one wait for a
# condition, and one clean-up at exit that any part of a script adds to.
# Scripts run with `set -euo pipefail`; nothing here relies on it.

passed=0
failed=0
pids=()            # processes the script started: ended at exit, before the rest
_at_exit=()        # commands to run at exit, the last added first

check() {  # $1: what, then the command that must succeed
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok: $what"
  else
    failed=$((failed + 1))
    echo "FAILED: $what"
  fi
}

# The last line of every script's output; true when nothing failed.
summary() {  # $1: the script's name
  echo "$1: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# Retries the command until it succeeds or the time is up. The clock is the
# wall's to the microsecond: $SECONDS would make "1 second" anything from 0 to 1.
poll() {  # $1: seconds (whole), then the command
  local now=${EPOCHREALTIME//[.,]/}
  local until=$((now + $1 * 1000000))
  shift
  while :; do
    "$@" && return 0
    now=${EPOCHREALTIME//[.,]/}
    [ "$now" -lt "$until" ] || return 1
    sleep 0.1
  done
}

at_exit() {  # $1: a command line, run at exit (after the started processes are ended)
  _at_exit+=("$1")
}

# Ends every process the script started so far, and waits for them.
end_started() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  pids=()
}

_harness_exit() {
  exit_status=$?  # what the script ends with, for the commands below
  local i
  end_started
  for ((i = ${#_at_exit[@]} - 1; i >= 0; i--)); do eval "${_at_exit[i]}" || true; done
}
trap _harness_exit EXIT
# A run stopped with Ctrl-C or a signal cleans up too.
trap 'exit 130' INT
trap 'exit 143' TERM

# Waits for a child to end and tells whether its exit code was 0.
ended_with_0() {  # $1: its pid (murvane's when not given), $2: seconds (20)
  local pid=${1:-$murvane} code=0
  poll "${2:-20}" eval "! kill -0 $pid 2>/dev/null" || return 1
  wait "$pid" || code=$?
  echo "exit code $code"
  [ "$code" -eq 0 ]
}

# A work folder for logs and screenshots, removed at exit when the script
# passed, and kept (and named) when a check failed or the script stopped short.
work_folder() {  # $1: variable, $2: name prefix
  local dir
  dir=$(mktemp -d "/tmp/$2.XXXXXX")
  at_exit "if [ \"\$exit_status\" -eq 0 ] && [ \"\$failed\" -eq 0 ]; then rm -rf '$dir'; else echo 'kept: $dir'; fi"
  printf -v "$1" '%s' "$dir"
}
