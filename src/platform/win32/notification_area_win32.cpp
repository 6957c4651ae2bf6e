#include "platform/win32/notification_area_win32.h"

#include <cstring>

#include "platform/win32/dpi_win32.h"
#include "platform/win32/pictures_win32.h"

namespace murvane::win32 {
namespace {

constexpr UINT_PTR kRetryTimer = 1;

// The native tip field is longer than the record's 64 bytes and zero-filled past
// them, so a tip without its NUL still ends inside the structure.
static_assert(sizeof(NOTIFYICONDATAA{}.szTip) > kNotifyTipBytes);

std::uint32_t Read(const NotifyIconBuffer& record, NotifyIconField field) {
  return static_cast<std::uint32_t>(ReadField(record, field));
}

void Write(NotifyIconBuffer& record, NotifyIconField field, std::uint32_t value) {
  WriteField(record, field, static_cast<std::int32_t>(value));
}

template <typename Handle>
Handle ToHandle(std::uint32_t value) {
  return reinterpret_cast<Handle>(static_cast<std::uintptr_t>(value));
}

template <typename Handle>
std::uint32_t FromHandle(Handle handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

void MergeFields(NOTIFYICONDATAA& into, const NOTIFYICONDATAA& from) {
  if (from.uFlags & NIF_MESSAGE) into.uCallbackMessage = from.uCallbackMessage;
  if (from.uFlags & NIF_ICON) into.hIcon = from.hIcon;
  if (from.uFlags & NIF_TIP) std::memcpy(into.szTip, from.szTip, kNotifyTipBytes);
  into.uFlags |= from.uFlags;
}

}  // namespace

NOTIFYICONDATAA ToNotifyIconData(const NotifyIconBuffer& record) {
  NOTIFYICONDATAA data{};
  data.cbSize = Read(record, NotifyIconField::cbSize);
  data.hWnd = ToHandle<HWND>(Read(record, NotifyIconField::hWnd));
  data.uID = Read(record, NotifyIconField::uID);
  data.uFlags = Read(record, NotifyIconField::uFlags);
  data.uCallbackMessage = Read(record, NotifyIconField::uCallbackMessage);
  if (data.uCallbackMessage == WM_MOUSEMOVE) data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = ToHandle<HICON>(Read(record, NotifyIconField::hIcon));
  std::memcpy(data.szTip, record.data() + kNotifyTipOffset, kNotifyTipBytes);
  return data;
}

void FromNotifyIconData(const NOTIFYICONDATAA& data, NotifyIconBuffer& record) {
  Write(record, NotifyIconField::cbSize, data.cbSize);
  Write(record, NotifyIconField::hWnd, FromHandle(data.hWnd));
  Write(record, NotifyIconField::uID, data.uID);
  Write(record, NotifyIconField::uFlags, data.uFlags);
  const UINT callback =
      data.uCallbackMessage == kTrayCallbackMessage ? WM_MOUSEMOVE : data.uCallbackMessage;
  Write(record, NotifyIconField::uCallbackMessage, callback);
  Write(record, NotifyIconField::hIcon, FromHandle(data.hIcon));
  std::memcpy(record.data() + kNotifyTipOffset, data.szTip, kNotifyTipBytes);
}

Win32NotificationArea::Win32NotificationArea(ShellCall shell, UINT retryMs, int attempts)
    : shell_(std::move(shell)), retryMs_(retryMs), attempts_(attempts), iconSize_(TrayIconSize()) {
  if (!shell_) {
    shell_ = [](DWORD message, NOTIFYICONDATAA& data) { return Shell_NotifyIconA(message, &data); };
  }
}

Win32NotificationArea::~Win32NotificationArea() {
  if (timerWindow_) DestroyWindow(timerWindow_);
}

// The shell gets the picture's frame for the tray's size; the record keeps the
// picture's own handle, the one the program gave.
BOOL Win32NotificationArea::Send(DWORD message, const NOTIFYICONDATAA& data) {
  NOTIFYICONDATAA sent = data;
  if (sent.uFlags & NIF_ICON) sent.hIcon = IconAtSize(data.hIcon, iconSize_);
  return shell_(message, sent);
}

bool Win32NotificationArea::Notify(NotifyMessage message, NotifyIconBuffer& record) {
  NOTIFYICONDATAA data = ToNotifyIconData(record);
  const IconKey key{data.hWnd, data.uID};
  BOOL done = FALSE;
  switch (message) {
    case NotifyMessage::Add:
      // An icon the shell still has is brought up to date with NIM_MODIFY rather
      // than added twice; the add itself counts as refused, as the shell's would be.
      if (shown_.count(key) && Send(NIM_MODIFY, data)) {
        shown_[key] = data;
      } else if ((done = Send(NIM_ADD, data))) {
        pending_.erase(key);
        shown_[key] = data;
      } else if (IsShown(data)) {
        shown_[key] = data;
      } else {
        RememberRefusedAdd(data);
      }
      break;
    case NotifyMessage::Modify:
      done = Send(NIM_MODIFY, data);
      if (auto found = shown_.find(key); done && found != shown_.end()) {
        MergeFields(found->second, data);
      }
      // A newer picture or tip for an icon still waiting to be added: the retry
      // must show what the program shows now.
      if (auto found = pending_.find(key); found != pending_.end()) {
        MergeFields(found->second.data, data);
      }
      break;
    case NotifyMessage::Delete:
      done = Send(NIM_DELETE, data);
      pending_.erase(key);
      shown_.erase(key);
      break;
  }
  if (pending_.empty()) StopTimer();
  FromNotifyIconData(data, record);
  return done != FALSE;
}

void Win32NotificationArea::RepickPictures() {
  const int size = TrayIconSize();
  if (size == iconSize_) return;
  iconSize_ = size;
  for (auto it = shown_.begin(); it != shown_.end();) {
    const NOTIFYICONDATAA& data = it->second;
    if (Send(NIM_MODIFY, data)) {
      ++it;
    } else if (Send(NIM_ADD, data)) {
      ++it;
    } else {
      RememberRefusedAdd(data);
      it = shown_.erase(it);
    }
  }
}

// An add is also refused when the icon is already there; asking the shell to
// modify it tells the two cases apart, and retrying only the second never puts up
// a second icon.
bool Win32NotificationArea::IsShown(const NOTIFYICONDATAA& data) {
  return Send(NIM_MODIFY, data) != FALSE;
}

void Win32NotificationArea::RememberRefusedAdd(const NOTIFYICONDATAA& data) {
  // No window, no icon: nothing a retry could fix.
  if (!IsWindow(data.hWnd) || attempts_ <= 0) return;
  pending_[{data.hWnd, data.uID}] = PendingAdd{data, attempts_};
  StartTimer();
}

void Win32NotificationArea::RetryRefusedAdds() {
  for (auto it = pending_.begin(); it != pending_.end();) {
    PendingAdd& add = it->second;
    const bool added = Send(NIM_ADD, add.data) || IsShown(add.data);
    if (added) shown_[it->first] = add.data;
    it = added || --add.attemptsLeft <= 0 ? pending_.erase(it) : std::next(it);
  }
  if (pending_.empty()) StopTimer();
}

void Win32NotificationArea::StartTimer() {
  if (!timerWindow_) {
    static const wchar_t* const windowClass = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = &TimerWindowProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"MurvaneTrayRetry";
      RegisterClassW(&wc);
      return wc.lpszClassName;
    }();
    timerWindow_ = CreateWindowExW(0, windowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (!timerWindow_) return;
    SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  SetTimer(timerWindow_, kRetryTimer, retryMs_, nullptr);
}

void Win32NotificationArea::StopTimer() {
  if (timerWindow_) KillTimer(timerWindow_, kRetryTimer);
}

LRESULT CALLBACK Win32NotificationArea::TimerWindowProc(HWND window, UINT message, WPARAM wParam,
                                                        LPARAM lParam) {
  if (message == WM_TIMER && wParam == kRetryTimer) {
    auto* self = reinterpret_cast<Win32NotificationArea*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self) self->RetryRefusedAdds();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace murvane::win32
