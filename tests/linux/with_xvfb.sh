#!/usr/bin/env bash
# Runs a test on a fresh Xvfb of its own, started as every script starts one
# (scripts/lib/virtual-screen.sh). -noreset keeps the keymap when the last
# client leaves; Xvfb's default keymap never locks Scroll Lock, so it is bound.
set -euo pipefail
lib="$(dirname "$0")/../../scripts/lib"
source "$lib/harness.sh"
source "$lib/virtual-screen.sh"
start_virtual_screen 1024x768x24 -noreset
xmodmap -e 'add mod3 = Scroll_Lock'
"$@"
