#include "platform/linux/desktop/display_choice.h"

#include "platform/linux/desktop/bus_display.h"
#include "platform/linux/desktop/full_screen_x11.h"
#include "platform/qt/osd/display_window.h"

namespace murvane::linux_desktop {

std::unique_ptr<OnScreenDisplay> OpenDisplay(const SessionFacts& session,
                                             qt::QtPictureSource& pictures,
                                             std::function<bool()> prefersDark) {
  if (IsWaylandSession(session)) return std::make_unique<BusDisplay>(pictures);
  return std::make_unique<qt::QtDisplayWindow>(pictures, std::move(prefersDark),
                                               ActiveWindowIsFullScreen);
}

}  // namespace murvane::linux_desktop
