// The whole Linux desktop as the program sees it: one object that owns every
// service, the Qt widgets' and the system's own, and hands them to the program
// as a Platform. Made after QApplication.
#pragma once

#include <memory>

#include "platform/linux/desktop/colour_scheme.h"
#include "platform/linux/desktop/tray_host.h"
#include "platform/linux/session/instance.h"
#include "platform/linux/session/session_facts.h"
#include "platform/platform.h"
#include "platform/qt/dialogs/file_dialog.h"
#include "platform/qt/key_source.h"
#include "platform/qt/pictures/pictures.h"
#include "platform/qt/quiet_ticks.h"
#include "platform/qt/settings/settings_store.h"
#include "platform/qt/system.h"
#include "platform/qt/text.h"
#include "platform/qt/tray/notification_area.h"
#include "platform/qt/windows/window_system.h"

namespace murvane::linux_desktop {

class LinuxPlatform {
 public:
  LinuxPlatform();
  LinuxPlatform(const LinuxPlatform&) = delete;
  LinuxPlatform& operator=(const LinuxPlatform&) = delete;

  // References into this object, which must outlive the program using them.
  Platform View();
  qt::QtWindowSystem& Windows() { return windows_; }

 private:
  const SessionFacts session_;
  qt::WindowRegistry registry_;
  qt::TrayMenuSession trayMenus_;
  qt::QtPictureSource pictures_;
  qt::QtNotificationArea tray_;
  TrayHost trayHost_;
  qt::Utf8CodePage ansi_;
  std::unique_ptr<qt::KeySource> keyboard_;
  qt::QuietTicks quietTicks_;
  qt::BusyNotificationArea busyTray_;
  qt::QtSettingsStore settings_;
  qt::QtFileSystem files_;
  qt::QtWindowSystem windows_;
  qt::QtFileDialog fileDialog_;
  qt::QtShell shell_;
  SocketSessionInstance instance_;
  DesktopColourScheme colourScheme_;
  std::unique_ptr<OnScreenDisplay> display_;
};

}  // namespace murvane::linux_desktop
