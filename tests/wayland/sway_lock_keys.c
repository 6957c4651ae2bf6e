/* Locks Caps and/or Num Lock in a wlroots compositor through a virtual keyboard
 * and keeps the keyboard until killed: sway_lock_keys [caps] [num]. wlroots
 * does not run a virtual keyboard's keys through its key state, so the locked
 * modifiers are sent as they are. Prints "locked" once the compositor has them. */
#define _GNU_SOURCE
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include "virtual-keyboard-unstable-v1-client-protocol.h"

static struct wl_seat* seat;
static struct zwp_virtual_keyboard_manager_v1* manager;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
  (void)data;
  (void)version;
  if (strcmp(interface, wl_seat_interface.name) == 0 && !seat)
    seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
  if (strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
    manager = wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1);
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name) {
  (void)data;
  (void)registry;
  (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

/* The keymap goes to the compositor as a file descriptor. */
static int send_keymap(struct zwp_virtual_keyboard_v1* keyboard, struct xkb_keymap* keymap) {
  char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
  if (!text) return -1;
  size_t size = strlen(text) + 1;
  int fd = memfd_create("keymap", MFD_CLOEXEC);
  if (fd < 0 || write(fd, text, size) != (ssize_t)size) return -1;
  zwp_virtual_keyboard_v1_keymap(keyboard, XKB_KEYMAP_FORMAT_TEXT_V1, fd, (uint32_t)size);
  free(text);
  return 0;
}

int main(int argc, char** argv) {
  struct xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  struct xkb_keymap* keymap = xkb_keymap_new_from_names(context, NULL, XKB_KEYMAP_COMPILE_NO_FLAGS);
  struct wl_display* display = wl_display_connect(NULL);
  if (!keymap || !display) {
    fprintf(stderr, "sway_lock_keys: no keymap or no Wayland display\n");
    return 1;
  }
  uint32_t locked = 0;
  for (int i = 1; i < argc; ++i) {
    const char* name = strcmp(argv[i], "caps") == 0  ? XKB_MOD_NAME_CAPS
                       : strcmp(argv[i], "num") == 0 ? XKB_MOD_NAME_NUM
                                                     : NULL;
    if (!name) {
      fprintf(stderr, "usage: sway_lock_keys [caps] [num]\n");
      return 2;
    }
    locked |= 1u << xkb_keymap_mod_get_index(keymap, name);
  }
  struct wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &registry_listener, NULL);
  wl_display_roundtrip(display);
  if (!seat || !manager) {
    fprintf(stderr, "sway_lock_keys: the compositor offers no virtual keyboard\n");
    return 1;
  }
  struct zwp_virtual_keyboard_v1* keyboard =
      zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager, seat);
  if (send_keymap(keyboard, keymap) < 0) return 1;
  zwp_virtual_keyboard_v1_modifiers(keyboard, 0, 0, locked, 0);
  if (wl_display_roundtrip(display) < 0) return 1;
  printf("locked\n");
  fflush(stdout);
  while (wl_display_dispatch(display) >= 0) {
  }
  return 0;
}
