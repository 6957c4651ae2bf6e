// The whole Linux system as the program sees it: one object that owns every
// service and hands them to the program as a Platform. Made after QApplication.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "platform/qt/colour_scheme_qt.h"
#include "platform/qt/file_dialog_qt.h"
#include "platform/qt/keyboard_qt.h"
#include "platform/qt/pictures_qt.h"
#include "platform/qt/quiet_ticks_qt.h"
#include "platform/qt/session_instance_qt.h"
#include "platform/qt/settings_qt.h"
#include "platform/qt/system_qt.h"
#include "platform/qt/text_qt.h"
#include "platform/qt/tray_host_qt.h"
#include "platform/qt/tray_qt.h"
#include "platform/qt/window_system_qt.h"

namespace murvane::qt {

class QtPlatform {
 public:
  QtPlatform();
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  // References into this object, which must outlive the program using them.
  Platform View();
  QtWindowSystem& Windows() { return windows_; }

 private:
  WindowRegistry registry_;
  TrayMenuSession trayMenus_;
  QtPictureSource pictures_;
  QtNotificationArea tray_;
  TrayHost trayHost_;
  Utf8CodePage ansi_;
  std::unique_ptr<KeySource> keyboard_;
  QuietTicks quietTicks_;
  BusyNotificationArea busyTray_;
  QtSettingsStore settings_;
  QtFileSystem files_;
  QtWindowSystem windows_;
  QtFileDialog fileDialog_;
  QtShell shell_;
  QtSessionInstance instance_;
  DesktopColourScheme colourScheme_;
};

}  // namespace murvane::qt
