// murvane.exe: the program on the real Win32 system.
#include <windows.h>

#include "app/application.h"
#include "platform/win32/win32_platform.h"

namespace {

int Run(murvane::win32::Win32Platform& system, murvane::Application& app) {
  murvane::StartOutcome outcome = murvane::StartOutcome::NoWindow;
  murvane::win32::GuardedCall([&] { outcome = app.Start(); });
  if (murvane::win32::Faulted()) return murvane::win32::kExitAfterFault;
  if (outcome == murvane::StartOutcome::HandedOver) return 0;
  if (outcome == murvane::StartOutcome::NoWindow) return murvane::win32::kExitAfterFault;
  return system.RunMessageLoop();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  murvane::win32::Win32Platform system;
  murvane::Platform platform = system.View();
  murvane::Application app(platform);
  const int code = Run(system, app);
  // A fault may have ended the loop with the icons still up.
  if (murvane::win32::Faulted()) murvane::win32::GuardedCall([&] { app.RemoveIcons(); });
  return code;
}
