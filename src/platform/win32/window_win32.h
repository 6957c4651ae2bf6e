// One native top-level window built from a layout table.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/layout_pixels.h"
#include "platform/platform.h"
#include "platform/win32/controls_win32.h"
#include "platform/win32/fonts_win32.h"

namespace murvane::win32 {

// What every window of the program shares, handed down by the window system.
struct WindowEnvironment {
  HWND owner = nullptr;  // hidden owner: keeps windows off the task list unless asked
  UINT taskbarCreated = 0;
  bool listedInTaskList = false;
  Dpi dpi;
};

class Win32Window final : public NativeWindow {
 public:
  static constexpr const wchar_t* kClassName = L"MurvaneWindow";

  Win32Window(const WindowDesc& layout, NativeWindowEvents& events, const WindowEnvironment& env);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  std::int32_t Handle() const override;
  void Show() override;
  void Hide() override;
  void SetCaption(const std::u16string& caption) override;
  void Update(const ControlId& control, const ControlView& view) override;
  std::string PopupMenu(const MenuDesc& menu) override;

  HWND Hwnd() const { return hwnd_; }
  // The control's child window; null for lines, timers and unknown ids.
  HWND ControlWindow(const ControlId& control) const;

 private:
  void CreateFrame(const WindowDesc& layout, const WindowEnvironment& env);
  void CreateControls(const WindowDesc& layout, Dpi dpi);
  void SetIcons(const std::string& iconName);
  NativeControl* ByCommand(int commandId);
  NativeControl* ByWindow(HWND hwnd);
  const NativeControl* ByRole(bool (*role)(const ControlDesc&)) const;
  const NativeControl* EnterButton();
  void FocusFirstControl();

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnCommand(WPARAM wParam);
  LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
  LRESULT OnColourStatic(HDC dc, HWND control);
  void OnPaint();
  void OnActivate(WPARAM wParam);

  NativeWindowEvents& events_;
  UINT taskbarCreated_;
  HWND hwnd_ = nullptr;
  HWND lastFocus_ = nullptr;
  std::unique_ptr<WindowFonts> fonts_;
  std::vector<NativeControl> controls_;
  PicturePtr smallIcon_;
  PicturePtr bigIcon_;
};

}  // namespace murvane::win32
