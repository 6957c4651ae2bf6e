#!/usr/bin/env bash
# What the Linux build installs and packages: $1 is the build folder. Builds the
# .deb into a folder of its own and reads it with dpkg-deb; installs nothing.
set -euo pipefail
build=$1
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
expect() {  # $1: what, then the command
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=1; fi
}

for entry in murvane.desktop murvane-autostart.desktop; do
  expect "$entry is a valid desktop entry" desktop-file-validate "$source_dir/resources/qt/$entry"
done
expect "the autostart entry waits for the panel" \
  grep -qx 'X-KDE-autostart-after=panel' "$source_dir/resources/qt/murvane-autostart.desktop"

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; exit 1; }
deb="$work/out/murvane_1.3.0_amd64.deb"
expect "cpack makes murvane_1.3.0_amd64.deb" test -f "$deb"
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for path in ./usr/bin/murvane ./usr/share/applications/murvane.desktop \
  ./etc/xdg/autostart/murvane.desktop ./usr/share/icons/hicolor/48x48/apps/murvane.png \
  ./usr/share/icons/hicolor/16x16/apps/murvane.png ./usr/share/murvane/icons/CapsLock_on.ico \
  ./usr/share/murvane/icons/ScrollLock_off.ico; do
  expect "the package holds $path" grep -qx "$path" "$work/contents"
done
expect "six built-in pictures, no more" test "$(grep -c '^./usr/share/murvane/icons/.*\.ico$' "$work/contents")" -eq 6
depends=$(dpkg-deb -f "$deb" Depends)
expect "shlibdeps found Qt's widgets library ($depends)" grep -q 'libqt6widgets6' <<<"$depends"
expect "and Xlib" grep -q 'libx11-6' <<<"$depends"
exit $failed
