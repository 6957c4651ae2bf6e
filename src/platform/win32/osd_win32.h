// The on-screen display: one layered window over the user's work, made at the first
// display and shown again for each later one. It never takes the focus, lets every
// click through to what lies beneath, and keeps quiet over a full-screen program.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "platform/platform.h"

namespace murvane::win32 {

// SHQueryUserNotificationState: a QUNS_* state into the int. Vista has it first (Wine
// has none), so it is looked up at run time; null where the shell lacks it.
using NotificationStateQuery = HRESULT(WINAPI*)(int* state);
NotificationStateQuery ShellNotificationStateQuery();

class Win32OnScreenDisplay final : public OnScreenDisplay {
 public:
  static constexpr const wchar_t* kClassName = L"MurvaneOnScreenDisplay";

  // groundIsDark: the tray's own light or dark answer, so the panel suits the
  // white-glyph pictures it is handed on a dark ground. query: the shell's, unless
  // a test stands in for it.
  explicit Win32OnScreenDisplay(std::function<bool()> groundIsDark,
                                NotificationStateQuery query = ShellNotificationStateQuery());
  ~Win32OnScreenDisplay() override;
  Win32OnScreenDisplay(const Win32OnScreenDisplay&) = delete;
  Win32OnScreenDisplay& operator=(const Win32OnScreenDisplay&) = delete;

  void Show(const std::vector<DisplayRow>& rows) override;

  // Null until the first display.
  HWND Hwnd() const { return hwnd_; }
  // The size the rows' pictures are drawn at now.
  int PictureSize() const { return pictureSize_; }

 private:
  bool FullScreenInFront() const;
  bool MakeWindow();
  // Lays the rows out at the density of the monitor the user works on, bottom
  // centre over its work area, and puts them up at full strength.
  void Draw();
  HBITMAP Compose(int dpi);
  void Present(BYTE alpha);
  void Fade();
  void Hide();

  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  std::function<bool()> groundIsDark_;
  NotificationStateQuery query_;
  HWND hwnd_ = nullptr;
  // While the display is up: what it shows (drawn again on a new density), and the
  // finished panel (the fade puts it up again, fainter each time).
  std::vector<DisplayRow> rows_;
  HBITMAP panel_ = nullptr;
  POINT at_{};
  SIZE size_{};
  int pictureSize_ = 0;
  int fadeStep_ = 0;
};

}  // namespace murvane::win32
