// One native top-level window built from a layout table.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/layout_pixels.h"
#include "platform/platform.h"
#include "platform/win32/accessibility_win32.h"
#include "platform/win32/controls_win32.h"
#include "platform/win32/fonts_win32.h"

namespace murvane::win32 {

// What every window of the program shares, handed down by the window system.
struct WindowEnvironment {
  HWND owner = nullptr;  // hidden owner: keeps windows off the task list unless asked
  UINT taskbarCreated = 0;
  bool listedInTaskList = false;
  Dpi dpi;  // of the monitor the window appears on
  // The displays or their densities changed: the tray pictures are picked again.
  std::function<void()> displayChanged;
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
  // The density the window is laid out for, and the size its pictures are drawn at.
  int DpiNow() const { return dpi_.y; }
  int PictureSize() const { return pictureSize_; }
  // The control's child window; null for lines, timers and unknown ids.
  HWND ControlWindow(const ControlId& control) const;
  // What a screen reader has been told about the window and its controls.
  const Annotations& ScreenReaderNotes() const { return *notes_; }

 private:
  void CreateFrame(const WindowDesc& layout, const WindowEnvironment& env);
  void CreateControls(const WindowDesc& layout, Dpi dpi);
  void Annotate();
  // A control inside a frame is a child of the frame's window, placed from its corner.
  const NativeControl* FrameOf(const NativeControl& control) const;
  PixelRect InParent(const NativeControl& control) const;
  void PlaceChildrenOf(HWND parent, WindowFonts& fonts);
  void SetIcons();
  SIZE FrameSize(Dpi dpi) const;
  // Makes the client area exactly the layout's at the window's density, whatever
  // frame the system draws around it; `at` is the frame's new corner, if any.
  void SizeClient(const POINT* at);
  // Lays the window out again at another density: size, every control, fonts,
  // pictures; the result is the window as created at that density. Without a
  // suggested rectangle the window keeps its corner.
  void ApplyDpi(int dpi, const RECT* suggested);
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
  const WindowDesc& layout_;
  UINT taskbarCreated_;
  std::function<void()> displayChanged_;
  DWORD exStyle_ = 0;
  Dpi dpi_;
  int pictureSize_ = 0;
  HWND hwnd_ = nullptr;
  HWND lastFocus_ = nullptr;
  std::unique_ptr<WindowFonts> fonts_;
  std::vector<NativeControl> controls_;
  std::unique_ptr<Annotations> notes_ = std::make_unique<Annotations>();
  PicturePtr smallIcon_;
  PicturePtr bigIcon_;
};

}  // namespace murvane::win32
