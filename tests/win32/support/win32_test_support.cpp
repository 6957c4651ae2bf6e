#include "support/win32_test_support.h"

#include <filesystem>
#include <fstream>

namespace murvane::win32::test {

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  MSG message;
  while (!done() && GetTickCount64() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return done();
}

TempFolder::TempFolder() {
  static int serial = 0;
  const auto name =
      "murvane-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
  path = (std::filesystem::temp_directory_path() / name).wstring();
  CreateDirectoryW(path.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(path), ignored);
}

std::u16string TempFolder::Write(const std::wstring& name,
                                 const std::vector<std::uint8_t>& bytes) const {
  const std::wstring file = PathOf(name);
  std::ofstream(std::filesystem::path(file), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return {file.begin(), file.end()};
}

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

static UINT WINAPI WindowAt144(HWND) {
  return 144;
}
static HRESULT WINAPI MonitorAt144(HMONITOR, int, UINT* x, UINT* y) {
  *x = *y = 144;
  return S_OK;
}

DpiFunctions MonitorsAt144() {
  DpiFunctions functions = NewerDpiFunctions();
  functions.getDpiForWindow = &WindowAt144;
  functions.getDpiForMonitor = &MonitorAt144;
  return functions;
}

}  // namespace murvane::win32::test
