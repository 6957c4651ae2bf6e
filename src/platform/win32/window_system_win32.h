// Windows, the warning box, the task list and the message loop.
#pragma once

#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/window_win32.h"

namespace murvane::win32 {

class Win32WindowSystem final : public WindowSystem {
 public:
  Win32WindowSystem();
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowDesc& layout,
                                                   NativeWindowEvents& events) override;
  void ShowWarning(std::int32_t owner, const std::u16string& text,
                   const std::u16string& caption) override;
  void SetTaskListVisible(bool visible) override;
  void Quit() override;

  // Runs until Quit; returns the exit code.
  int RunMessageLoop();
  // Lets the program's windows handle Tab, Enter, Esc and access keys.
  static bool PreTranslate(MSG& message);

  bool TaskListVisible() const { return listed_; }
  HWND Owner() const { return owner_; }

 private:
  HWND owner_ = nullptr;
  bool listed_ = false;
};

// The screen's real density.
Dpi ScreenDpi();

}  // namespace murvane::win32
