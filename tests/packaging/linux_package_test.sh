#!/usr/bin/env bash
# What the Linux build installs and packages: $1 is the build folder. Builds the
# .deb into a folder of its own and reads it with dpkg-deb, lintian and the
# desktop's validators; installs nothing system-wide.
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
source "$source_dir/scripts/lib/harness.sh"
source "$source_dir/scripts/lib/unprivileged.sh"
readable_folder work murvane-package
icons_build="$build/src/platform/qt"
docs_build="$build/packaging/linux"
sizes=(16 22 24 32 48 64 128)

# scripts/run builds the murvane target alone; cpack after it must still find the
# icons, the manual page and the changelog.
rm -rf "$icons_build/hicolor" "$docs_build/docs"
cmake --build "$build" --target murvane >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
for size in "${sizes[@]}"; do
  png="$icons_build/hicolor/${size}x$size/apps/murvane.png"
  check "building murvane alone makes the ${size}x$size icon" test -f "$png"
  # Whole-number nearest-neighbour steps keep the pixel art's colours; smoothing
  # would add blends (22 and 24 also have the clear margin).
  colours=4
  [ "$size" != 22 ] && [ "$size" != 24 ] || colours=5
  check "the ${size}x$size icon is that size, in the art's $colours colours" \
    test "$(identify -format '%wx%h %k' "$png")" = "${size}x$size $colours"
done
check "and the manual page" test -f "$docs_build/docs/murvane.1.gz"

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log"; exit 1; }
deb="$work/out/murvane_1.3.0_amd64.deb"
check "cpack makes murvane_1.3.0_amd64.deb" test -f "$deb"
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/contents"
for path in ./usr/bin/murvane ./usr/share/applications/com.example.murvane.desktop \
  ./etc/xdg/autostart/murvane.desktop ./usr/share/metainfo/com.example.murvane.metainfo.xml \
  ./usr/share/man/man1/murvane.1.gz ./usr/share/doc/murvane/copyright \
  ./usr/share/doc/murvane/changelog.gz ./usr/share/murvane/icons/CapsLock_on.ico \
  ./usr/share/murvane/icons/ScrollLock_off.ico; do
  check "the package holds $path" grep -qx "$path" "$work/contents"
done
for size in "${sizes[@]}"; do
  check "the package holds the ${size}x$size icon" \
    grep -qx "./usr/share/icons/hicolor/${size}x$size/apps/murvane.png" "$work/contents"
done
check "six built-in pictures, no more" test "$(grep -c '^./usr/share/murvane/icons/.*\.ico$' "$work/contents")" -eq 6
depends=$(dpkg-deb -f "$deb" Depends)
check "shlibdeps found Qt's widgets library ($depends)" grep -q 'libqt6widgets6' <<<"$depends"
check "and Xlib" grep -q 'libx11-6' <<<"$depends"
recommends=$(dpkg-deb -f "$deb" Recommends)
check "it recommends Qt's Wayland platform and translations ($recommends)" \
  test "$recommends" = "qt6-wayland, qt6-translations-l10n"
check "the description says the interface is Italian" grep -q 'Italian' <<<"$(dpkg-deb -f "$deb" Description)"
check "the maintainer has a name and an address" \
  grep -qE '^[^<>]+ <[^<>@ ]+@example\.com>$' <<<"$(dpkg-deb -f "$deb" Maintainer)"
check "the autostart entry is a conffile" \
  grep -qx /etc/xdg/autostart/murvane.desktop <<<"$(dpkg-deb -I "$deb" conffiles)"

# Debian's own check, as a packager runs it: no error, no warning. An override
# would need a comment saying why; there is none.
lintian -I --pedantic "$deb" >"$work/lintian.log" 2>&1 || true
sed 's/^/  lintian: /' "$work/lintian.log"
check "lintian gives no E: or W: tag" test -z "$(grep -E '^[EW]: ' "$work/lintian.log")"
check "the binary is hardened as Debian's are, without .comment" \
  test -z "$(grep -E 'hardening-|binary-has-unneeded-section' "$work/lintian.log")"

# The installed entries, metadata and manual page, as the package carries them.
dpkg-deb -x "$deb" "$work/root"
menu="$work/root/usr/share/applications/com.example.murvane.desktop"
autostart="$work/root/etc/xdg/autostart/murvane.desktop"
for entry in "$menu" "$autostart"; do
  check "${entry#"$work/root"} is a valid desktop entry" desktop-file-validate "$entry"
  check "${entry#"$work/root"} runs and tries the installed binary" \
    test "$(grep -E '^(Exec|TryExec)=' "$entry" | sort | tr '\n' ' ')" = \
    "Exec=/usr/bin/murvane TryExec=/usr/bin/murvane "
done
check "the menu entry asks KWin for its key-state interface" \
  grep -qx 'X-KDE-Wayland-Interfaces=org_kde_kwin_keystate' "$menu"
check "the autostart entry waits for the panel" grep -qx 'X-KDE-autostart-after=panel' "$autostart"
metainfo="$work/root/usr/share/metainfo/com.example.murvane.metainfo.xml"
appstream_ok=1
appstreamcli validate --no-net --pedantic "$metainfo" >"$work/appstream.log" 2>&1 || appstream_ok=0
sed 's/^/  appstreamcli: /' "$work/appstream.log"
check "appstreamcli validates the metainfo with no error or warning" \
  test "$appstream_ok" = 1 -a -z "$(grep -E '^[EW]: ' "$work/appstream.log")"
check "the metainfo launches the menu entry" \
  grep -q '<launchable type="desktop-id">com.example.murvane.desktop</launchable>' "$metainfo"
MANWIDTH=80 man --warnings -l "$work/root/usr/share/man/man1/murvane.1.gz" >"$work/man.txt" 2>"$work/man.log" || true
check "the manual page renders without warnings" test ! -s "$work/man.log" -a -s "$work/man.txt"
cat "$work/man.log"

# The build and the checkout may be out of an unprivileged user's reach (a clone
# in a 0700 folder), so that user installs from copies of what the install reads:
# the source without its builds, and the build without its objects, with the
# install scripts' paths pointed at the copies. Leaves the build's copy in $install_from.
user_can_read_copy_of_install() {
  local copy="$work/copy"
  mkdir -p "$copy/source"
  tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$copy/source" -xf -
  mkdir -p "$copy/build"
  tar -C "$build" --exclude=CMakeFiles --exclude='*.a' --exclude='*.o' --exclude=install_manifest.txt -cf - . |
    tar -C "$copy/build" -xf -
  find "$copy/build" -name cmake_install.cmake -exec \
    sed -i -e "s#$build#$copy/build#g" -e "s#$source_dir#$copy/source#g" {} +
  chmod -R a+rX "$copy"
  # cmake --install writes its manifest into the build folder.
  chown murvane-test "$copy/build"
  install_from="$copy/build"
}

# A per-user install: a user without root installs into a folder of their own,
# and nothing may reach for /etc. Runs as an unprivileged user when run as root.
# The space in the path is one a home folder may have; Exec= must quote it.
prefix="$work/home/A User/.local"
mkdir -p "$prefix"
as_user=()
install_from=$build
if [ "$(id -u)" -eq 0 ]; then
  ensure_system_user murvane-test
  chown -R murvane-test "$work/home"
  as_user=(runuser -u murvane-test --)
  user_can_read_copy_of_install
fi
installed=1
(cd / && "${as_user[@]}" cmake --install "$install_from" --prefix "$prefix") >"$work/install.log" 2>&1 || installed=0
[ "$installed" = 1 ] || cat "$work/install.log"
check "cmake --install --prefix a folder of the user's own succeeds as that user" test "$installed" = 1
check "the per-user install writes nothing outside its prefix" \
  test -z "$(grep -E -e '-- (Installing|Up-to-date): ' "$work/install.log" | grep -vF -e ": $prefix/")"
check "the per-user autostart entry sits in the prefix's etc" \
  test -f "$prefix/etc/xdg/autostart/murvane.desktop"
user_menu="$prefix/share/applications/com.example.murvane.desktop"
check "the per-user menu entry runs the binary in the prefix" \
  grep -qxF "Exec=\"$prefix/bin/murvane\"" "$user_menu"
check "and is a valid desktop entry" desktop-file-validate "$user_menu"
summary package_test
