#include "platform/linux/linux_platform.h"

#include "platform/linux/desktop/task_list_x11.h"
#include "platform/linux/keys/key_source_choice.h"

namespace murvane::linux_desktop {
namespace {

// Long enough for a panel that starts with the session after Murvane.
constexpr int kWaitForTrayHostMs = 30000;

}  // namespace

LinuxPlatform::LinuxPlatform()
    : session_(CurrentSession()),
      tray_(pictures_, registry_, trayMenus_),
      keyboard_(OpenKeyboardState(session_)),
      quietTicks_(*keyboard_),
      busyTray_(tray_, quietTicks_),
      windows_(registry_, pictures_, trayMenus_),
      fileDialog_([this](std::int32_t owner) -> QWidget* {
        qt::QtWindow* window = windows_.Find(owner);
        return window && window->Frame().isVisible() ? &window->Frame() : nullptr;
      }),
      colourScheme_(session_.desktop) {
  windows_.SetQuietTicks(quietTicks_);
  windows_.ListInTaskListWith(SetListedInTaskList);
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

Platform LinuxPlatform::View() {
  return Platform{busyTray_, ansi_,     *keyboard_,          settings_,
                  files_,    pictures_, fileDialog_,         shell_,
                  windows_,  instance_, qt::OwnAppIdentity()};
}

}  // namespace murvane::linux_desktop
