// The notification area through Shell_NotifyIconA, with the 88-byte record.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <map>
#include <utility>

#include <shellapi.h>

#include "platform/platform.h"

namespace murvane::win32 {

// The program asks for WM_MOUSEMOVE as its icons' callback. Registered as such, an
// ordinary pointer move over the shown configuration window would look exactly like
// a tray click, so icons are registered with this private message instead and the
// window turns it back into a tray callback.
constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// The record's fields in the shell's own structure, and back. The callback
// message is swapped as described above; the tip's 64 bytes are copied as they are.
NOTIFYICONDATAA ToNotifyIconData(const NotifyIconBuffer& record);
void FromNotifyIconData(const NOTIFYICONDATAA& data, NotifyIconBuffer& record);

class Win32NotificationArea final : public NotificationArea {
 public:
  using ShellCall = std::function<BOOL(DWORD message, NOTIFYICONDATAA& data)>;

  // At logon the shell may refuse icons until its tray exists; a refused add is
  // tried again every retryMs, at most `attempts` times.
  explicit Win32NotificationArea(ShellCall shell = {}, UINT retryMs = 2000, int attempts = 60);

  // Each picture goes to the shell as its frame for the taskbar's small-icon size.
  // After a display or density change the size is asked again; when it changed,
  // every icon shown is sent its new frame with NIM_MODIFY, or added again with
  // NIM_ADD where the shell no longer has it.
  void RepickPictures();
  int IconSize() const { return iconSize_; }
  ~Win32NotificationArea() override;
  Win32NotificationArea(const Win32NotificationArea&) = delete;
  Win32NotificationArea& operator=(const Win32NotificationArea&) = delete;

  bool Notify(NotifyMessage message, NotifyIconBuffer& record) override;
  bool GroundIsDark() override;

  // One round of retries; the timer calls it.
  void RetryRefusedAdds();
  std::size_t RefusedAddsPending() const { return pending_.size(); }

 private:
  using IconKey = std::pair<HWND, UINT>;
  struct PendingAdd {
    NOTIFYICONDATAA data;
    int attemptsLeft;
  };

  BOOL Send(DWORD message, const NOTIFYICONDATAA& data);
  bool IsShown(const NOTIFYICONDATAA& data);
  void RememberRefusedAdd(const NOTIFYICONDATAA& data);
  void StartTimer();
  void StopTimer();
  static LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  ShellCall shell_;
  UINT retryMs_;
  int attempts_;
  std::map<IconKey, PendingAdd> pending_;
  // What the shell shows for each icon it took, pictures as the program named them.
  std::map<IconKey, NOTIFYICONDATAA> shown_;
  int iconSize_ = 0;
  HWND timerWindow_ = nullptr;
};

}  // namespace murvane::win32
