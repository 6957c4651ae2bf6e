// murvane.exe: the program on the real Win32 system.
#include <windows.h>

#include "app/application.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  murvane::win32::Win32Platform system;
  murvane::Platform platform = system.View();
  murvane::Application app(platform);
  app.Start();
  return system.RunMessageLoop();
}
