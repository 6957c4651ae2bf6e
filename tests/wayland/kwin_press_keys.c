/* Presses and releases keys in KWin through org_kde_kwin_fake_input, which KWin
 * hands only to programs its .desktop files name: kwin_press_keys CODE...
 * (evdev codes: 58 Caps Lock, 69 Num Lock). Prints the time each press was sent,
 * in seconds on CLOCK_REALTIME, as dbus-monitor --profile stamps messages. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

#include "fake-input-client-protocol.h"

static struct org_kde_kwin_fake_input* fake_input;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
  (void)data;
  if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
    fake_input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4);
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name) {
  (void)data;
  (void)registry;
  (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

static void print_now(void) {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  printf("%lld.%06ld\n", (long long)now.tv_sec, now.tv_nsec / 1000);
}

int main(int argc, char** argv) {
  struct wl_display* display = wl_display_connect(NULL);
  if (!display) {
    fprintf(stderr, "kwin_press_keys: no Wayland display\n");
    return 1;
  }
  struct wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &registry_listener, NULL);
  wl_display_roundtrip(display);
  if (!fake_input) {
    fprintf(stderr, "kwin_press_keys: KWin offers no fake input to this program\n");
    return 1;
  }
  org_kde_kwin_fake_input_authenticate(fake_input, "Murvane tests", "press lock keys");
  for (int i = 1; i < argc; ++i) {
    uint32_t code = (uint32_t)strtoul(argv[i], NULL, 10);
    print_now();
    org_kde_kwin_fake_input_keyboard_key(fake_input, code, 1);
    org_kde_kwin_fake_input_keyboard_key(fake_input, code, 0);
    if (wl_display_roundtrip(display) < 0) return 1;
  }
  return 0;
}
