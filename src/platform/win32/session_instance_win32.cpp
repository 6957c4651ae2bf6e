#include "platform/win32/session_instance_win32.h"

#include "platform/win32/window_system_win32.h"

namespace murvane::win32 {
namespace {

// A Murvane that has just taken the mutex needs a moment to make its window.
constexpr int kWaitForRunningMs = 5000;
constexpr int kPollMs = 100;

void RegisterInstanceClass(WNDPROC proc) {
  static const bool registered = [proc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = Win32SessionInstance::kWindowClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

HWND FindRunning() {
  return FindWindowExW(HWND_MESSAGE, nullptr, Win32SessionInstance::kWindowClass, nullptr);
}

}  // namespace

Win32SessionInstance::~Win32SessionInstance() {
  if (window_) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (mutex_) CloseHandle(mutex_);
}

// The kernel drops the mutex with the last handle to it, so a Murvane that
// crashed leaves nothing behind that could stop the next start.
bool Win32SessionInstance::Claim(std::function<void(InstanceRequest)> onRequest) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
  if (!mutex) return true;  // cannot tell: better two Murvanes than none
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return false;
  }
  mutex_ = mutex;
  onRequest_ = std::move(onRequest);
  RegisterInstanceClass(&Proc);
  window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (window_) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return true;
}

bool Win32SessionInstance::AskRunning(InstanceRequest request) {
  const UINT message = request == InstanceRequest::Exit ? WM_CLOSE : kShowConfigurationMessage;
  for (int waited = 0; waited <= kWaitForRunningMs; waited += kPollMs) {
    if (HWND running = FindRunning()) {
      // The running one may be in the foreground's way; let it take it.
      DWORD process = 0;
      GetWindowThreadProcessId(running, &process);
      AllowSetForegroundWindow(process);
      return PostMessageW(running, message, 0, 0) != 0;
    }
    Sleep(kPollMs);
  }
  return false;
}

LRESULT CALLBACK Win32SessionInstance::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Win32SessionInstance*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && self->onRequest_) {
    if (message == kShowConfigurationMessage) {
      GuardedCall([&] { self->onRequest_(InstanceRequest::ShowConfiguration); });
      return 0;
    }
    if (message == WM_CLOSE) {
      GuardedCall([&] { self->onRequest_(InstanceRequest::Exit); });
      return 0;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace murvane::win32
