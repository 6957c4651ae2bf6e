#!/usr/bin/env bash
# Runs a test on a fresh Xvfb of its own. -noreset keeps the keymap when the last
# client leaves; Xvfb's default keymap never locks Scroll Lock, so it is bound.
set -euo pipefail
for number in $(seq 140 199); do
  [ -e "/tmp/.X${number}-lock" ] || break
done
Xvfb ":$number" -screen 0 1024x768x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
export DISPLAY=":$number"
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
xmodmap -e 'add mod3 = Scroll_Lock'
"$@"
