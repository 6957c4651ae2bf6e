// Helpers shared by the Win32 backend tests: message pumping, a scratch folder, a window
// for tray icons, and monitors at 144 dpi.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/dpi_win32.h"
#include "support/recording_events.h"

namespace murvane::win32::test {

using murvane::test::RecordingEvents;

// Runs the thread's messages until `done` holds or the time is up; returns `done`.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (MSG message; !done() && GetTickCount64() < deadline;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return done();
}

// A fresh folder under the temporary folder, removed with everything in it.
struct TempFolder {
  inline static int serial = 0;
  std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("murvane-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial));
  TempFolder() { std::filesystem::create_directory(path); }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::wstring PathOf(const std::wstring& name) const { return (path / name).wstring(); }
  std::u16string Write(const std::wstring& name, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream(path / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    const std::wstring file = PathOf(name);
    return {file.begin(), file.end()};
  }
};

// A hidden top-level window of a system class, for tray icons to belong to.
struct HiddenWindow {
  HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr);
  ~HiddenWindow() { DestroyWindow(hwnd); }
};

// The width an icon is drawn at; 0 for no icon.
inline int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

inline UINT WINAPI WindowAt144(HWND) {
  return 144;
}
inline HRESULT WINAPI MonitorAt144(HMONITOR, int, UINT* x, UINT* y) {
  *x = *y = 144;
  return S_OK;
}
// The system's density functions, with every monitor (the taskbar's too) at 144 dpi:
// Wine's own screen stays at 96.
inline DpiFunctions MonitorsAt144() {
  DpiFunctions functions = NewerDpiFunctions();
  functions.getDpiForWindow = &WindowAt144;
  functions.getDpiForMonitor = &MonitorAt144;
  return functions;
}

}  // namespace murvane::win32::test
