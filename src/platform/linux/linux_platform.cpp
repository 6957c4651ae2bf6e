#include "platform/linux/linux_platform.h"

#include <cstdio>

#include "platform/linux/desktop/desktop_notice.h"
#include "platform/linux/desktop/display_choice.h"
#include "platform/linux/desktop/task_list_x11.h"
#include "platform/linux/keys/key_source_choice.h"

namespace murvane::linux_desktop {
namespace {

// Long enough for a panel that starts with the session after Murvane; the
// end-to-end runs shorten it to see what follows.
constexpr int kTrayHostLateSeconds = 30;

int TrayHostLateSeconds() {
  bool number = false;
  const int seconds = qEnvironmentVariableIntValue("MURVANE_TRAY_WAIT", &number);
  return number && seconds >= 0 ? seconds : kTrayHostLateSeconds;
}

// The icons wait for a panel; the user hears why they are not there.
void SayNoTray(int waitedSeconds) {
  std::fprintf(stderr,
               "murvane: no tray after %d s: this desktop shows no tray icons (on GNOME, turn on "
               "the AppIndicator extension); the icons show when a tray appears\n",
               waitedSeconds);
  ShowDesktopNotice(NoTrayNotice(waitedSeconds));
}

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
      colourScheme_(session_.desktop),
      display_(OpenDisplay(session_, pictures_, [this] { return colourScheme_.PrefersDark(); })) {
  windows_.SetQuietTicks(quietTicks_);
  windows_.ListInTaskListWith(SetListedInTaskList);
  tray_.AskGroundWith([this] { return colourScheme_.PrefersDark(); });
  colourScheme_.OnChange([this] { windows_.TrayGroundChanged(); });
  // Qt chooses between D-Bus and XEmbed at the first icon, once for the process.
  windows_.BeforeFirstWindow([this] {
    const int lateSeconds = TrayHostLateSeconds();
    trayHost_.WaitForHost(lateSeconds * 1000, [lateSeconds] { SayNoTray(lateSeconds); });
    trayHost_.WatchForNewHosts([this] {
      tray_.ForgetAll();
      windows_.TrayRecreated();
    });
  });
}

Platform LinuxPlatform::View() {
  return Platform{busyTray_,   ansi_,  *keyboard_, settings_, files_,    pictures_,
                  fileDialog_, shell_, windows_,   instance_, *display_, qt::OwnAppIdentity()};
}

}  // namespace murvane::linux_desktop
