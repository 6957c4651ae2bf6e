// Whether the taskbar is dark. Windows 10 from 1903 on says so in the user's
// personalisation; where the value is absent (older Windows, Wine) the taskbar
// is the classic light one.
#include "platform/win32/notification_area_win32.h"

namespace murvane::win32 {

bool Win32NotificationArea::GroundIsDark() {
  DWORD light = 1;
  DWORD size = sizeof(light);
  const LSTATUS status = RegGetValueW(
      HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
      L"SystemUsesLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size);
  return status == ERROR_SUCCESS && light == 0;
}

}  // namespace murvane::win32
