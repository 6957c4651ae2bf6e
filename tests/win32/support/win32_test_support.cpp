#include "support/win32_test_support.h"

#include <shellapi.h>

#include <cstring>

namespace murvane::win32::test {

void PumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!done() && GetTickCount64() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    PumpPending();
  }
  return done();
}

std::u16string U16(const std::wstring& text) {
  return {text.begin(), text.end()};
}

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static int serial = 0;
  path_ = std::wstring(base) + L"murvane-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(++serial);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  // SHFileOperation wants a double-NUL-terminated list.
  std::wstring from = path_ + L'\0';
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NO_UI;
  SHFileOperationW(&operation);
}

std::wstring TempFolder::Write(const std::wstring& name,
                               const std::vector<std::uint8_t>& bytes) const {
  const std::wstring path = PathOf(name);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// BITMAPINFOHEADER, 32-bit pixels bottom-up, then a 1-bit AND mask of zeros.
std::vector<std::uint8_t> BitmapImage(const IconImage& image) {
  std::vector<std::uint8_t> out;
  const int n = image.size;
  Put32(out, 40);
  Put32(out, n);
  Put32(out, 2 * n);  // colour and mask
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int i = 0; i < n * n; ++i) {
    out.push_back(GetBValue(image.colour));
    out.push_back(GetGValue(image.colour));
    out.push_back(GetRValue(image.colour));
    out.push_back(0xFF);
  }
  const int maskRow = ((n + 31) / 32) * 4;
  out.insert(out.end(), static_cast<std::size_t>(maskRow * n), 0);
  return out;
}

}  // namespace

std::vector<std::uint8_t> MakeIconFile(const std::vector<IconImage>& images) {
  std::vector<std::vector<std::uint8_t>> bodies;
  for (const IconImage& image : images) bodies.push_back(BitmapImage(image));
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<std::uint8_t>(images[i].size));
    out.push_back(static_cast<std::uint8_t>(images[i].size));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
    Put32(out, offset);
    offset += static_cast<std::uint32_t>(bodies[i].size());
  }
  for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

COLORREF IconPixel(HICON icon, int x, int y) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return CLR_INVALID;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = bitmap.bmWidth;
  format.bmiHeader.biHeight = -bitmap.bmHeight;  // top-down
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(bitmap.bmWidth * bitmap.bmHeight));
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, info.hbmColor, 0, bitmap.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  const std::uint32_t bgra = pixels[static_cast<std::size_t>(y * bitmap.bmWidth + x)];
  return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

HiddenWindow::HiddenWindow()
    : hwnd_(CreateWindowExW(0, L"STATIC", L"tray test", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr)) {}

HiddenWindow::~HiddenWindow() {
  DestroyWindow(hwnd_);
}

namespace {

struct Watch {
  const wchar_t* className = nullptr;
  HWND found = nullptr;
};
Watch watch;
std::function<void(HWND)> watchAct;
UINT_PTR watchTimer = 0;

BOOL CALLBACK FindWatched(HWND hwnd, LPARAM) {
  wchar_t name[16];
  if (IsWindowVisible(hwnd) && GetClassNameW(hwnd, name, 16) &&
      lstrcmpW(name, watch.className) == 0) {
    watch.found = hwnd;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK LookForWatched(HWND, UINT, UINT_PTR, DWORD) {
  watch.found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindWatched, 0);
  if (!watch.found) EnumWindows(&FindWatched, 0);  // menus may belong to the desktop
  if (!watch.found || !watchAct) return;
  auto act = std::move(watchAct);
  watchAct = nullptr;
  act(watch.found);
}

}  // namespace

void StartWindowWatch(const wchar_t* className, const std::function<void(HWND)>& act) {
  watch.className = className;
  watchAct = act;
  watchTimer = SetTimer(nullptr, 0, 100, &LookForWatched);
}

void StopWindowWatch() {
  KillTimer(nullptr, watchTimer);
  watchAct = nullptr;
}

void RecordingEvents::OnClick(const ControlId& control) {
  clicks.push_back(control);
  if (onClick) onClick();
}

bool RecordingEvents::OnCloseRequest(int reason) {
  closeRequests.push_back(reason);
  return onClose ? onClose(reason) : false;
}

}  // namespace murvane::win32::test
