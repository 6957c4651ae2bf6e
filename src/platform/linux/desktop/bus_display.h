// The on-screen display on Wayland, where a client can neither place a window
// nor keep it from taking the focus: the desktop shows it for us, through its
// own display service where it has one (KDE's org.kde.osdService), else as a
// passing notification that replaces the last one.
#pragma once

#include "platform/platform.h"
#include "platform/qt/pictures/pictures.h"

namespace murvane::linux_desktop {

class BusDisplay final : public OnScreenDisplay {
 public:
  explicit BusDisplay(qt::QtPictureSource& pictures);
  BusDisplay(const BusDisplay&) = delete;
  BusDisplay& operator=(const BusDisplay&) = delete;

  void Show(const std::vector<DisplayRow>& rows) override;

 private:
  qt::QtPictureSource& pictures_;
};

}  // namespace murvane::linux_desktop
