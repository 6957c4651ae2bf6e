// Windows, the warning box, the task list and the message loop.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/platform.h"
#include "platform/win32/window_win32.h"

namespace murvane::win32 {

class Win32WindowSystem final : public WindowSystem {
 public:
  // displayChanged: what the windows call when the displays or their densities
  // change (the notification area picks its pictures again).
  explicit Win32WindowSystem(std::function<void()> displayChanged = {});
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowDesc& layout,
                                                   NativeWindowEvents& events) override;
  void ShowWarning(std::int32_t owner, const std::u16string& text,
                   const std::u16string& caption) override;
  void SetTaskListVisible(bool visible) override;
  void Quit() override;

  // Runs until Quit, or until a fault ended the loop; returns the exit code.
  int RunMessageLoop();
  // Lets the program's windows handle Tab, Enter, Esc and access keys.
  static bool PreTranslate(MSG& message);

  bool TaskListVisible() const { return listed_; }

 private:
  std::function<void()> displayChanged_;
  HWND owner_ = nullptr;
  bool listed_ = false;
  bool quitAsked_ = false;
};

// The exit code of a program that ended because of a fault it caught.
constexpr int kExitAfterFault = 1;

// No C++ exception may unwind into Windows' own frames, so every call from a
// window procedure into the program goes through here. A fault ends the message
// loop; the program then removes its icons on the way out.
void NoteFault();
bool Faulted();
template <class Call>
void GuardedCall(Call&& call) noexcept {
  try {
    call();
  } catch (...) {
    NoteFault();
  }
}

// The density the session started with (every monitor's, before Windows 8.1).
Dpi ScreenDpi();

}  // namespace murvane::win32
