/* A user's pointer in KWin, through org_kde_kwin_fake_input, which KWin hands
 * only to programs its .desktop files name. Built by scripts/lib/plasma-session.sh
 * when a run starts. Each argument is one step, taken in order:
 *   X,Y     move the pointer there (KWin's logical pixels)
 *   left    click the left button      right   click the right button
 *   pause   let 100 ms pass: the panel takes a moved pointer in before its click
 * e.g. plasma-pointer 980,755 right. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
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

static void pause_ms(unsigned ms) { usleep(ms * 1000u); }

int main(int argc, char** argv) {
  struct wl_display* display = wl_display_connect(NULL);
  if (!display) {
    fprintf(stderr, "plasma-pointer: no Wayland display\n");
    return 1;
  }
  struct wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &registry_listener, NULL);
  wl_display_roundtrip(display);
  if (!fake_input) {
    fprintf(stderr, "plasma-pointer: KWin offers no fake input to this program\n");
    return 1;
  }
  org_kde_kwin_fake_input_authenticate(fake_input, "Murvane tests", "click tray icons");
  for (int i = 1; i < argc; ++i) {
    int x, y;
    if (sscanf(argv[i], "%d,%d", &x, &y) == 2) {
      org_kde_kwin_fake_input_pointer_motion_absolute(fake_input, wl_fixed_from_int(x),
                                                      wl_fixed_from_int(y));
    } else if (strcmp(argv[i], "left") == 0 || strcmp(argv[i], "right") == 0) {
      uint32_t button = argv[i][0] == 'l' ? kLeft : kRight;
      org_kde_kwin_fake_input_button(fake_input, button, WL_POINTER_BUTTON_STATE_PRESSED);
      if (wl_display_roundtrip(display) < 0) return 1;
      pause_ms(50);
      org_kde_kwin_fake_input_button(fake_input, button, WL_POINTER_BUTTON_STATE_RELEASED);
    } else if (strcmp(argv[i], "pause") == 0) {
      pause_ms(100);
    } else {
      fprintf(stderr, "plasma-pointer: no such step: %s\n", argv[i]);
      return 2;
    }
    if (wl_display_roundtrip(display) < 0) return 1;
  }
  return 0;
}
