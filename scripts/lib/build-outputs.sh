# Sourced by the scripts: where the builds leave what the scripts run, relative
# to the checkout. One place, so a moved target is changed here alone.

murvane_linux_binary() { echo build/linux/src/platform/linux/murvane; }
murvane_windows_exe() { echo build/windows/src/platform/win32/murvane.exe; }
wayland_test_helper() { echo "build/linux/tests/wayland/$1"; }  # $1: sway_lock_keys, kwin_fake_input
linux_bench_driver() { echo build/linux/bench/murvane_idle_ticks; }

# The Linux binary to test: $MURVANE_BIN when set, else the build's; exits
# with a hint when it is not built.
linux_binary_under_test() {
  local bin=${MURVANE_BIN:-$(murvane_linux_binary)}
  [ -x "$bin" ] || { echo "build murvane first: cmake --preset linux && cmake --build --preset linux" >&2; return 1; }
  realpath "$bin"
}
