// What a program window does with the messages it receives. Rule for every
// handler: whatever it needs is read before the program's events are called, and
// nothing of the window object is touched afterwards, because the program may
// unload (destroy) the window from inside any of its events.
#include "platform/win32/dpi_win32.h"
#include "platform/win32/notification_area_win32.h"
#include "platform/win32/window_system_win32.h"
#include "platform/win32/window_win32.h"

namespace murvane::win32 {
namespace {

bool IsDefaultButton(const ControlDesc& desc) {
  return desc.kind == ControlKind::Button && desc.isDefault;
}
bool IsCancelButton(const ControlDesc& desc) {
  return desc.kind == ControlKind::Button && desc.isCancel;
}

// The control's own visibility, not its window's: the layout may hide it.
bool IsActive(HWND control) {
  return control && (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) &&
         IsWindowEnabled(control);
}

}  // namespace

LRESULT CALLBACK Win32Window::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  GuardedCall([&] { result = self->OnMessage(message, wParam, lParam); });
  return result;
}

LRESULT Win32Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  NativeWindowEvents& events = events_;
  if (taskbarCreated_ != 0 && message == taskbarCreated_) {
    // Also sent when the scale changes: the pictures are picked for the new size
    // before the program brings back the icons the shell may have forgotten.
    if (displayChanged_) displayChanged_();
    events.OnTrayRecreated();
    return 0;
  }
  switch (message) {
    case kTrayCallbackMessage:
      events.OnTrayCallback(static_cast<std::uint32_t>(wParam), LOWORD(lParam));
      return 0;
    case WM_COMMAND:
      return OnCommand(wParam);
    case WM_TIMER:
      if (const NativeControl* timer = ByCommand(static_cast<int>(wParam));
          timer && timer->desc->kind == ControlKind::Timer) {
        events.OnTimer(timer->desc->id);
      }
      return 0;
    case WM_MOUSEMOVE:
      events.OnPointerMove({});
      return 0;
    case WM_SETCURSOR:
      return OnSetCursor(wParam, lParam);
    case WM_CTLCOLORSTATIC:
      return OnColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
      if (const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) {
        if (const NativeControl* image = ByCommand(static_cast<int>(item->CtlID))) {
          DrawImage(*item, *image, pictureSize_);
        }
      }
      return TRUE;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ACTIVATE:
      OnActivate(wParam);
      return 0;
    case DM_GETDEFID:
      if (const NativeControl* button = EnterButton()) {
        return MAKELRESULT(button->commandId, DC_HASDEFID);
      }
      return 0;
    case WM_CLOSE:
      events.OnCloseRequest(kUnloadByUser);
      return 0;
    case WM_SETTINGCHANGE:
      // Sent to every top-level window when the user switches between light and dark.
      if (lParam && lstrcmpW(reinterpret_cast<const wchar_t*>(lParam), L"ImmersiveColorSet") == 0) {
        events.OnTrayGroundChanged();
      }
      return 0;
    case WM_GETDPISCALEDSIZE:
      // The size the system suggests with WM_DPICHANGED: the window as laid out
      // at the new density, not the old one stretched.
      *reinterpret_cast<SIZE*>(lParam) = FrameSize(Dpi{HIWORD(wParam), HIWORD(wParam)});
      return TRUE;
    case WM_DPICHANGED:
      ApplyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      if (displayChanged_) displayChanged_();
      return 0;
    case WM_DISPLAYCHANGE:
      if (displayChanged_) displayChanged_();
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) events.OnCloseRequest(kUnloadBySystem);
      return 0;
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

LRESULT Win32Window::OnCommand(WPARAM wParam) {
  // Buttons report BN_CLICKED and notifying statics STN_CLICKED; both are 0.
  if (HIWORD(wParam) != BN_CLICKED) return 0;
  const int id = LOWORD(wParam);
  const NativeControl* control = id == IDOK       ? ByRole(&IsDefaultButton)
                                 : id == IDCANCEL ? ByRole(&IsCancelButton)
                                                  : ByCommand(id);
  if (!control || !IsActive(control->hwnd)) return 0;
  const ControlId target = control->desc->id;
  NativeWindowEvents& events = events_;
  if (control->desc->kind == ControlKind::CheckBox) {
    events.OnCheckBoxClicked(target);
  } else {
    events.OnClick(target);
  }
  return 0;
}

// Enter presses the focused push button, as in a dialog box; anywhere else it
// presses the default button.
const NativeControl* Win32Window::EnterButton() {
  const NativeControl* focused = ByWindow(GetFocus());
  if (focused && focused->desc->kind == ControlKind::Button) return focused;
  return ByRole(&IsDefaultButton);
}

// The pointer over a child control reaches the window only as WM_SETCURSOR, which
// names the child.
LRESULT Win32Window::OnSetCursor(WPARAM wParam, LPARAM lParam) {
  const auto over = reinterpret_cast<HWND>(wParam);
  if (over != hwnd_ && HIWORD(lParam) == WM_MOUSEMOVE) {
    if (const NativeControl* control = ByWindow(over)) {
      const ControlId target = control->desc->id;
      NativeWindowEvents& events = events_;
      events.OnPointerMove(target);
      return FALSE;  // the control still sets its own cursor
    }
  }
  return DefWindowProcW(hwnd_, WM_SETCURSOR, wParam, lParam);
}

LRESULT Win32Window::OnColourStatic(HDC dc, HWND control) {
  const NativeControl* native = ByWindow(control);
  if (!native || !native->view.foreColour) {
    return DefWindowProcW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
  }
  SetTextColor(dc, *native->view.foreColour);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void Win32Window::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  for (const NativeControl& control : controls_) {
    if (control.desc->kind == ControlKind::Line && control.desc->visible) DrawLine(dc, control);
  }
  EndPaint(hwnd_, &paint);
}

// A window that is not a dialog keeps no focus of its own: remember the focused
// control when the window is left and give it back on return.
void Win32Window::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
    return;
  }
  if (lastFocus_ && IsWindow(lastFocus_) && IsActive(lastFocus_)) {
    SetFocus(lastFocus_);
  } else {
    FocusFirstControl();
  }
}

}  // namespace murvane::win32
