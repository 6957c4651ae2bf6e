// The whole Win32 system as the program sees it: one object that owns every
// service and hands them to the program as a Platform.
#pragma once

#include "platform/platform.h"
#include "platform/win32/file_dialog_win32.h"
#include "platform/win32/notification_area_win32.h"
#include "platform/win32/osd_win32.h"
#include "platform/win32/pictures_win32.h"
#include "platform/win32/session_instance_win32.h"
#include "platform/win32/settings_registry.h"
#include "platform/win32/system_win32.h"
#include "platform/win32/text_win32.h"
#include "platform/win32/window_system_win32.h"

namespace murvane::win32 {

class Win32Platform {
 public:
  Win32Platform();
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // References into this object, which must outlive the program using them.
  Platform View();
  int RunMessageLoop() { return windows_.RunMessageLoop(); }
  Win32WindowSystem& Windows() { return windows_; }

 private:
  bool controlsReady_;  // first: the common controls load before any window exists
  Win32NotificationArea tray_;
  Win32AnsiCodePage ansi_;
  Win32KeyboardState keyboard_;
  RegistrySettingsStore settings_;
  Win32FileSystem files_;
  Win32PictureSource pictures_;
  Win32FileDialog fileDialog_;
  Win32Shell shell_;
  Win32WindowSystem windows_{[this] { tray_.RepickPictures(); }};
  Win32SessionInstance instance_;
  Win32OnScreenDisplay display_{[this] { return tray_.GroundIsDark(); }};
};

}  // namespace murvane::win32
