#include "platform/win32/win32_platform.h"

#include <commctrl.h>

#include "platform/win32/app_identity_win32.h"

namespace murvane::win32 {
namespace {

// Loads the version 6 controls the manifest asks for before any window exists.
bool InitControls() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  return InitCommonControlsEx(&controls);
}

}  // namespace

Win32Platform::Win32Platform() : controlsReady_(InitControls()) {}

Platform Win32Platform::View() {
  return Platform{tray_,       ansi_,  keyboard_, settings_, files_,   pictures_,
                  fileDialog_, shell_, windows_,  instance_, display_, ReadOwnAppIdentity()};
}

}  // namespace murvane::win32
