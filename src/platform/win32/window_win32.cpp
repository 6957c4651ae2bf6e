#include "platform/win32/window_win32.h"

#include "platform/win32/pictures_win32.h"
#include "platform/win32/text_win32.h"

namespace murvane::win32 {
namespace {

// Command ids stay clear of IDOK and IDCANCEL, which Enter and Esc send.
constexpr int kFirstCommandId = 100;
// No WS_CLIPCHILDREN: group boxes paint only their outline, so the window must
// paint the ground inside them.
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

const wchar_t* WindowClass(WNDPROC proc) {
  static const wchar_t* const name = [proc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    // IDC_ARROW is spelled for the ANSI functions unless UNICODE is defined.
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = Win32Window::kClassName;
    RegisterClassExW(&wc);
    return wc.lpszClassName;
  }();
  return name;
}

POINT Position(StartPosition position, SIZE size) {
  if (position == StartPosition::WindowsDefault) return {CW_USEDEFAULT, CW_USEDEFAULT};
  return {(GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
          (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2};
}

}  // namespace

Win32Window::Win32Window(const WindowDesc& layout, NativeWindowEvents& events,
                         const WindowEnvironment& env)
    : events_(events),
      taskbarCreated_(env.taskbarCreated),
      fonts_(std::make_unique<WindowFonts>(env.dpi.y)) {
  CreateFrame(layout, env);
  if (!hwnd_) return;
  CreateControls(layout, env.dpi);
  SetIcons(layout.icon);
}

Win32Window::~Win32Window() {
  if (!hwnd_) return;
  // From here on no message reaches the program's events.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  for (const NativeControl& control : controls_) {
    if (control.desc->kind == ControlKind::Timer) KillTimer(hwnd_, control.commandId);
  }
  DestroyWindow(hwnd_);
}

void Win32Window::CreateFrame(const WindowDesc& layout, const WindowEnvironment& env) {
  const PixelRect client = ClientRect(layout, env.dpi);
  const DWORD exStyle = env.listedInTaskList ? WS_EX_APPWINDOW : 0;
  RECT frame{0, 0, client.width, client.height};
  AdjustWindowRectEx(&frame, kFrameStyle, FALSE, exStyle);
  const SIZE size{frame.right - frame.left, frame.bottom - frame.top};
  const POINT at = Position(layout.position, size);
  CreateWindowExW(exStyle, WindowClass(&Proc), Wide(layout.caption).c_str(), kFrameStyle, at.x,
                  at.y, size.cx, size.cy, env.owner, nullptr, GetModuleHandleW(nullptr), this);
}

void Win32Window::CreateControls(const WindowDesc& layout, Dpi dpi) {
  fonts_->Fit(CaptionRooms(layout, dpi));
  controls_.reserve(layout.controls.size());
  for (const ControlDesc& desc : layout.controls) {
    NativeControl control;
    control.desc = &desc;
    control.commandId = kFirstCommandId + static_cast<int>(controls_.size());
    control.rect = ControlRect(layout, desc, dpi);
    control.view.text = desc.caption;
    control.view.value = desc.value;
    control.view.foreColour = desc.foreColour;
    controls_.push_back(std::move(control));
  }
  for (const ControlDesc* desc : CreationOrder(layout)) {
    NativeControl& control = controls_[desc - layout.controls.data()];
    control.hwnd = CreateControlWindow(hwnd_, control, fonts_->For(desc->font));
    if (desc->kind == ControlKind::Timer && desc->intervalMs > 0) {
      SetTimer(hwnd_, control.commandId, desc->intervalMs, nullptr);
    }
  }
  // Frames go beneath the controls drawn over them; they never take the focus, so
  // the tab order stays as created.
  for (const NativeControl& control : controls_) {
    if (control.desc->kind == ControlKind::Frame && control.hwnd) {
      SetWindowPos(control.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

void Win32Window::SetIcons(const std::string& iconName) {
  if (iconName.empty()) return;
  smallIcon_ = LoadBuiltInIcon(iconName, GetSystemMetrics(SM_CXSMICON));
  bigIcon_ = LoadBuiltInIcon(iconName, GetSystemMetrics(SM_CXICON));
  if (smallIcon_)
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(IconOf(*smallIcon_)));
  if (bigIcon_)
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(IconOf(*bigIcon_)));
}

std::int32_t Win32Window::Handle() const {
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(hwnd_));
}

void Win32Window::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
}

void Win32Window::Hide() {
  ShowWindow(hwnd_, SW_HIDE);
}

void Win32Window::SetCaption(const std::u16string& caption) {
  SetWindowTextW(hwnd_, Wide(caption).c_str());
}

void Win32Window::Update(const ControlId& control, const ControlView& view) {
  for (NativeControl& native : controls_) {
    if (native.desc->id == control) return MirrorView(native, view);
  }
}

HWND Win32Window::ControlWindow(const ControlId& control) const {
  for (const NativeControl& native : controls_) {
    if (native.desc->id == control) return native.hwnd;
  }
  return nullptr;
}

std::string Win32Window::PopupMenu(const MenuDesc& menu) {
  // Everything needed after the menu closes is copied first: a command chosen
  // from it may unload this window.
  std::vector<std::string> names;
  HMENU popup = CreatePopupMenu();
  for (const MenuItemDesc& item : menu.items) {
    names.push_back(item.name);
    if (item.caption == u"-") {
      AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(popup, MF_STRING, names.size(), Wide(item.caption).c_str());
    }
  }
  HWND owner = hwnd_;
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(owner);
  POINT at{};
  GetCursorPos(&at);
  const UINT chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x,
                                     at.y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
  DestroyMenu(popup);
  return chosen >= 1 && chosen <= names.size() ? names[chosen - 1] : std::string();
}

NativeControl* Win32Window::ByCommand(int commandId) {
  const int index = commandId - kFirstCommandId;
  if (index < 0 || index >= static_cast<int>(controls_.size())) return nullptr;
  return &controls_[index];
}

NativeControl* Win32Window::ByWindow(HWND hwnd) {
  for (NativeControl& control : controls_) {
    if (control.hwnd == hwnd) return &control;
  }
  return nullptr;
}

const NativeControl* Win32Window::ByRole(bool (*role)(const ControlDesc&)) const {
  for (const NativeControl& control : controls_) {
    if (role(*control.desc)) return &control;
  }
  return nullptr;
}

void Win32Window::FocusFirstControl() {
  if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);
}

}  // namespace murvane::win32
