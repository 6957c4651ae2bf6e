// murvane: the program on a Linux desktop.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/application.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/session/bus_probe.h"
#include "platform/linux/session/instance.h"
#include "platform/linux/session/session_end.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitNoWindow = 1;

void PrintUsage(std::FILE* to) {
  std::fputs(
      "Usage: murvane [--help | --version]\n"
      "Shows Caps Lock, Num Lock and Scroll Lock as icons in the tray.\n"
      "Started again while it runs, it opens the running one's configuration window.\n",
      to);
}

// Checked before QApplication exists, so these answer even without a display.
// Returns the exit code when the command line says to stop here.
std::optional<int> ReadCommandLine(int argc, char** argv) {
  if (argc <= 1) return std::nullopt;
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("Murvane %d.%d.%d\n", MURVANE_VERSION_MAJOR, MURVANE_VERSION_MINOR,
                MURVANE_VERSION_PATCH);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    PrintUsage(stdout);
    return 0;
  }
  std::fprintf(stderr, "murvane: unknown argument '%s'\n", argv[1]);
  PrintUsage(stderr);
  return kExitUsage;
}

[[noreturn]] void EndNow() {
  std::fflush(nullptr);
  std::_Exit(0);
}

}  // namespace

int main(int argc, char** argv) {
  if (std::optional<int> code = ReadCommandLine(argc, argv)) return *code;
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  QApplication::setQuitOnLastWindowClosed(false);  // the program says when it ends
  QApplication::setApplicationName(QStringLiteral("Murvane"));
  QApplication::setOrganizationName(QStringLiteral("Polden Software"));
  // The menu entry's name: Wayland desktops find the program's icon and name by it.
  QApplication::setDesktopFileName(QStringLiteral("com.example.murvane"));

  // A later start only asks the running Murvane to show its window, so it opens
  // no key source, tray or bus of its own, and says nothing the first has said.
  if (murvane::linux_desktop::SocketSessionInstance().AskRunning(
          murvane::InstanceRequest::ShowConfiguration)) {
    return 0;
  }
  murvane::linux_desktop::StartSessionBusProbe();
  murvane::linux_desktop::SettleSessionBus();
  murvane::linux_desktop::LinuxPlatform system;
  murvane::Platform platform = system.View();
  murvane::Application app(platform);
  murvane::linux_desktop::OnSessionEnd([&system] {
    // While start-up waits for a tray there is no window yet, so no icon to
    // take away and nothing to save: nothing would hear the request.
    if (!system.Windows().HasWindows()) EndNow();
    system.Windows().EndSession();
  });
  switch (app.Start()) {
    case murvane::StartOutcome::HandedOver:
      return 0;
    case murvane::StartOutcome::NoWindow:
      return kExitNoWindow;
    case murvane::StartOutcome::Running:
      break;
  }
  return system.Windows().Run();
}
