#include "platform/win32/window_system_win32.h"

#include <vector>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/text_win32.h"

namespace murvane::win32 {
namespace {

bool IsProgramWindow(HWND hwnd) {
  wchar_t name[32];
  return GetClassNameW(hwnd, name, 32) && lstrcmpW(name, Win32Window::kClassName) == 0;
}

BOOL CALLBACK CollectProgramWindow(HWND hwnd, LPARAM list) {
  if (IsProgramWindow(hwnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> ProgramWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), &CollectProgramWindow,
                    reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Owned windows appear on the task list only with WS_EX_APPWINDOW; the task list
// notices a change only when the window is shown again.
void SetListed(HWND hwnd, bool listed) {
  const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  const LONG_PTR wanted = listed ? exStyle | WS_EX_APPWINDOW : exStyle & ~WS_EX_APPWINDOW;
  if (wanted == exStyle) return;
  const bool shown = IsWindowVisible(hwnd);
  const bool active = GetActiveWindow() == hwnd;
  if (shown) ShowWindow(hwnd, SW_HIDE);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, wanted);
  if (shown) ShowWindow(hwnd, active ? SW_SHOW : SW_SHOWNA);
}

bool faulted = false;

}  // namespace

void NoteFault() {
  faulted = true;
  PostQuitMessage(kExitAfterFault);
}

bool Faulted() {
  return faulted;
}

Dpi ScreenDpi() {
  const int dpi = SystemDpi();
  return {dpi, dpi};
}

// The owner is a plain hidden top-level window: it has no button of its own, and
// the windows it owns have one only while the program asks to be listed.
Win32WindowSystem::Win32WindowSystem(std::function<void()> displayChanged)
    : displayChanged_(std::move(displayChanged)),
      owner_(CreateWindowExW(0, L"STATIC", L"Murvane", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr)) {}

Win32WindowSystem::~Win32WindowSystem() {
  if (owner_) DestroyWindow(owner_);
}

std::unique_ptr<NativeWindow> Win32WindowSystem::CreateNativeWindow(const WindowDesc& layout,
                                                                    NativeWindowEvents& events) {
  static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  // A new window appears on the primary monitor (centred on it, or where the
  // system puts new windows), and is laid out at its density.
  const int dpi = PrimaryDpi();
  const WindowEnvironment env{owner_, taskbarCreated, listed_, Dpi{dpi, dpi}, displayChanged_};
  auto window = std::make_unique<Win32Window>(layout, events, env);
  if (!window->Hwnd()) return nullptr;
  return window;
}

void Win32WindowSystem::ShowWarning(std::int32_t owner, const std::u16string& text,
                                    const std::u16string& caption) {
  MessageBoxW(reinterpret_cast<HWND>(static_cast<std::intptr_t>(owner)), Wide(text).c_str(),
              Wide(caption).c_str(), MB_ICONEXCLAMATION | MB_OK);
}

void Win32WindowSystem::SetTaskListVisible(bool visible) {
  listed_ = visible;
  for (HWND hwnd : ProgramWindows()) SetListed(hwnd, visible);
}

void Win32WindowSystem::Quit() {
  quitAsked_ = true;
  PostQuitMessage(0);
}

bool Win32WindowSystem::PreTranslate(MSG& message) {
  if (!message.hwnd) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  return root && IsProgramWindow(root) && IsDialogMessageW(root, &message);
}

int Win32WindowSystem::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // A program that asked to end ends well, whatever went wrong on the way.
  return quitAsked_ ? 0 : static_cast<int>(message.wParam);
}

}  // namespace murvane::win32
