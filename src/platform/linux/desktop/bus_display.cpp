#include "platform/linux/desktop/bus_display.h"

namespace murvane::linux_desktop {

BusDisplay::BusDisplay(qt::QtPictureSource& pictures) : pictures_(pictures) {}

void BusDisplay::Show(const std::vector<DisplayRow>& /*rows*/) {}

}  // namespace murvane::linux_desktop
