#include "platform/linux/desktop/full_screen_x11.h"

namespace murvane::linux_desktop {

bool ActiveWindowIsFullScreen() {
  return false;
}

}  // namespace murvane::linux_desktop
