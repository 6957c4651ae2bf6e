#include "platform/qt/qt_platform.h"

#include "platform/qt/keyboard_qt.h"

namespace murvane::qt {
namespace {

// Long enough for a panel that starts with the session after Murvane.
constexpr int kWaitForTrayHostMs = 30000;

}  // namespace

QtPlatform::QtPlatform()
    : tray_(pictures_, registry_, trayMenus_),
      keyboard_(OpenKeyboardState()),
      quietTicks_(*keyboard_),
      busyTray_(tray_, quietTicks_),
      windows_(registry_, pictures_, trayMenus_),
      fileDialog_([this](std::int32_t owner) -> QWidget* {
        QtWindow* window = windows_.Find(owner);
        return window && window->Frame().isVisible() ? &window->Frame() : nullptr;
      }) {
  windows_.SetQuietTicks(quietTicks_);
  tray_.AskGroundWith([this] { return colourScheme_.PrefersDark(); });
  colourScheme_.OnChange([this] { windows_.TrayGroundChanged(); });
  // Qt chooses between D-Bus and XEmbed at the first icon, once for the process.
  windows_.BeforeFirstWindow([this] {
    trayHost_.WaitForHost(kWaitForTrayHostMs);
    trayHost_.WatchForNewHosts([this] {
      tray_.ForgetAll();
      windows_.TrayRecreated();
    });
  });
}

Platform QtPlatform::View() {
  return Platform{busyTray_,   ansi_,  *keyboard_, settings_, files_,          pictures_,
                  fileDialog_, shell_, windows_,   instance_, OwnAppIdentity()};
}

}  // namespace murvane::qt
