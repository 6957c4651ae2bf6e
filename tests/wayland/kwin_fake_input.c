/* A user's keyboard and pointer in KWin, through org_kde_kwin_fake_input, which
 * KWin hands only to programs its .desktop files name. Each argument is one step,
 * taken in order:
 *   CODE    press and release a key (evdev codes: 58 Caps Lock, 69 Num Lock), and
 *           print the time it was sent, in seconds on CLOCK_REALTIME, as
 *           dbus-monitor --profile stamps messages
 *   X,Y     move the pointer there (KWin's logical pixels)
 *   left    click the left button      right   click the right button
 *   pause   let 100 ms pass: a panel takes a moved pointer in before its click
 * e.g. kwin_fake_input 58 or kwin_fake_input 980,755 pause right. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>

#include "fake-input-client-protocol.h"

enum { kLeft = 0x110, kRight = 0x111 }; /* BTN_LEFT, BTN_RIGHT */

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
    fprintf(stderr, "kwin_fake_input: no Wayland display\n");
    return 1;
  }
  struct wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &registry_listener, NULL);
  wl_display_roundtrip(display);
  if (!fake_input) {
    fprintf(stderr, "kwin_fake_input: KWin offers no fake input to this program\n");
    return 1;
  }
  org_kde_kwin_fake_input_authenticate(fake_input, "Murvane tests", "press keys and click");
  for (int i = 1; i < argc; ++i) {
    int x, y;
    if (sscanf(argv[i], "%d,%d", &x, &y) == 2) {
      org_kde_kwin_fake_input_pointer_motion_absolute(fake_input, wl_fixed_from_int(x),
                                                      wl_fixed_from_int(y));
    } else if (strcmp(argv[i], "left") == 0 || strcmp(argv[i], "right") == 0) {
      uint32_t button = argv[i][0] == 'l' ? kLeft : kRight;
      org_kde_kwin_fake_input_button(fake_input, button, WL_POINTER_BUTTON_STATE_PRESSED);
      if (wl_display_roundtrip(display) < 0) return 1;
      usleep(50 * 1000);
      org_kde_kwin_fake_input_button(fake_input, button, WL_POINTER_BUTTON_STATE_RELEASED);
    } else if (strcmp(argv[i], "pause") == 0) {
      usleep(100 * 1000);
    } else if (argv[i][0] >= '0' && argv[i][0] <= '9') {
      uint32_t code = (uint32_t)strtoul(argv[i], NULL, 10);
      print_now();
      org_kde_kwin_fake_input_keyboard_key(fake_input, code, 1);
      org_kde_kwin_fake_input_keyboard_key(fake_input, code, 0);
    } else {
      fprintf(stderr, "kwin_fake_input: no such step: %s\n", argv[i]);
      return 2;
    }
    if (wl_display_roundtrip(display) < 0) return 1;
  }
  return 0;
}
