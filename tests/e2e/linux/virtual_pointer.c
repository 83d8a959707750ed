/* Gives a headless compositor's seat a pointer, held until the program is ended, so that the
   compositor's own cursor commands can move and click it. */
#include <stdio.h>
#include <string.h>
#include <wayland-client.h>

#include "virtual-pointer-client-protocol.h"

static struct wl_seat* seat;
static struct zwlr_virtual_pointer_manager_v1* manager;

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
  (void)data;
  (void)version;
  if (strcmp(interface, wl_seat_interface.name) == 0) {
    seat = wl_registry_bind(registry, name, &wl_seat_interface, 1);
  } else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
  }
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name) {
  (void)data;
  (void)registry;
  (void)name;
}

static const struct wl_registry_listener listener = {global, global_remove};

int main(void) {
  struct wl_display* display = wl_display_connect(NULL);
  if (display == NULL) {
    fprintf(stderr, "virtual_pointer: no compositor\n");
    return 1;
  }
  wl_registry_add_listener(wl_display_get_registry(display), &listener, NULL);
  wl_display_roundtrip(display);
  if (seat == NULL || manager == NULL) {
    fprintf(stderr, "virtual_pointer: no seat or no virtual pointer manager\n");
    return 1;
  }
  zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, seat);
  wl_display_roundtrip(display);
  printf("ready\n");
  fflush(stdout);
  while (wl_display_dispatch(display) != -1) {
  }
  wl_display_disconnect(display);
  return 0;
}
