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
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  path = base + (L"murvane-test-" + std::to_wstring(GetCurrentProcessId())) + L"-" +
         std::to_wstring(++serial);
  CreateDirectoryW(path.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(path), ignored);
}

std::u16string TempFolder::Write(const std::wstring& name,
                                 const std::vector<std::uint8_t>& bytes) const {
  std::ofstream(std::filesystem::path(PathOf(name)), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return {PathOf(name).begin(), PathOf(name).end()};
}

namespace {

const wchar_t* watchedClass = nullptr;
std::function<void(HWND)> watchAct;
UINT_PTR watchTimer = 0;

BOOL CALLBACK ActOnWatched(HWND hwnd, LPARAM) {
  wchar_t name[16];
  if (!watchAct || !IsWindowVisible(hwnd) || !GetClassNameW(hwnd, name, 16) ||
      lstrcmpW(name, watchedClass) != 0) {
    return TRUE;
  }
  const auto act = std::move(watchAct);
  watchAct = nullptr;
  act(hwnd);
  return FALSE;
}

void CALLBACK LookForWatched(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), &ActOnWatched, 0);
  EnumWindows(&ActOnWatched, 0);  // menus may belong to the desktop
}

}  // namespace

void WatchFor(const wchar_t* className, std::function<void(HWND)> act) {
  watchedClass = className;
  watchAct = std::move(act);
  KillTimer(nullptr, watchTimer);
  watchTimer = watchAct ? SetTimer(nullptr, 0, 100, &LookForWatched) : 0;
}

}  // namespace murvane::win32::test
