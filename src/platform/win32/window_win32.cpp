#include "platform/win32/window_win32.h"

#include <oleacc.h>

#include "platform/win32/dpi_win32.h"
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
      layout_(layout),
      taskbarCreated_(env.taskbarCreated),
      displayChanged_(env.displayChanged),
      dpi_(env.dpi),
      pictureSize_(MetricForDpi(SM_CXSMICON, env.dpi.y)),
      fonts_(std::make_unique<WindowFonts>(env.dpi.y)) {
  CreateFrame(layout, env);
  if (!hwnd_) return;
  CreateControls(layout, env.dpi);
  Annotate();
  SetIcons();
  // The system may have put the window on a monitor of another density.
  if (const int shownAt = WindowDpi(hwnd_); shownAt != dpi_.y) ApplyDpi(shownAt, nullptr);
}

Win32Window::~Win32Window() {
  if (!hwnd_) return;
  // From here on no message reaches the program's events.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  for (const NativeControl& control : controls_) {
    if (control.desc->kind == ControlKind::Timer) KillTimer(hwnd_, control.commandId);
  }
  notes_.reset();  // taken back while their handles still name these windows
  DestroyWindow(hwnd_);
}

SIZE Win32Window::FrameSize(Dpi dpi) const {
  const PixelRect client = ClientRect(layout_, dpi);
  RECT frame{0, 0, client.width, client.height};
  AdjustFrameForDpi(frame, kFrameStyle, exStyle_, dpi.y);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void Win32Window::CreateFrame(const WindowDesc& layout, const WindowEnvironment& env) {
  exStyle_ = env.listedInTaskList ? WS_EX_APPWINDOW : 0;
  const SIZE size = FrameSize(env.dpi);
  const POINT at = Position(layout.position, size);
  CreateWindowExW(exStyle_, WindowClass(&Proc), Wide(layout.caption).c_str(), kFrameStyle, at.x,
                  at.y, size.cx, size.cy, env.owner, nullptr, GetModuleHandleW(nullptr), this);
  if (hwnd_) SizeClient(nullptr);
}

void Win32Window::SizeClient(const POINT* at) {
  const PixelRect wanted = ClientRect(layout_, dpi_);
  RECT outer{}, client{};
  GetWindowRect(hwnd_, &outer);
  GetClientRect(hwnd_, &client);
  const int width = outer.right - outer.left - client.right + wanted.width;
  const int height = outer.bottom - outer.top - client.bottom + wanted.height;
  const bool moves = at && (at->x != outer.left || at->y != outer.top);
  if (!moves && client.right == wanted.width && client.bottom == wanted.height) return;
  SetWindowPos(hwnd_, nullptr, at ? at->x : 0, at ? at->y : 0, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE | (at ? 0 : SWP_NOMOVE));
}

void Win32Window::ApplyDpi(int dpi, const RECT* suggested) {
  dpi_ = Dpi{dpi, dpi};
  pictureSize_ = MetricForDpi(SM_CXSMICON, dpi);
  // The suggested rectangle's corner, and its size as WM_GETDPISCALEDSIZE told
  // the system; measured against the frame the system really draws.
  if (suggested) {
    const SIZE size = FrameSize(dpi_);
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SizeClient(nullptr);
  // New fonts first; the old ones go only once no control uses them.
  auto fonts = std::make_unique<WindowFonts>(dpi);
  fonts->Fit(CaptionRooms(layout_, dpi_));
  for (NativeControl& control : controls_) control.rect = ControlRect(layout_, *control.desc, dpi_);
  PlaceChildrenOf(hwnd_, *fonts);
  for (const NativeControl& control : controls_) {
    if (control.desc->kind == ControlKind::Frame && control.hwnd) {
      PlaceChildrenOf(control.hwnd, *fonts);
    }
  }
  fonts_ = std::move(fonts);
  SetIcons();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// One batch of moves may only hold windows of one parent.
void Win32Window::PlaceChildrenOf(HWND parent, WindowFonts& fonts) {
  HDWP moves = BeginDeferWindowPos(static_cast<int>(controls_.size()));
  for (const NativeControl& control : controls_) {
    if (!control.hwnd || GetParent(control.hwnd) != parent) continue;
    SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.For(control.desc->font)),
                 FALSE);
    const PixelRect r = InParent(control);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (moves)
      moves = DeferWindowPos(moves, control.hwnd, nullptr, r.left, r.top, r.width, r.height, flags);
    if (!moves) SetWindowPos(control.hwnd, nullptr, r.left, r.top, r.width, r.height, flags);
  }
  if (moves) EndDeferWindowPos(moves);
}

const NativeControl* Win32Window::FrameOf(const NativeControl& control) const {
  if (control.desc->parent.empty()) return nullptr;
  for (const NativeControl& frame : controls_) {
    if (frame.desc->kind == ControlKind::Frame && frame.desc->id.name == control.desc->parent)
      return frame.hwnd ? &frame : nullptr;
  }
  return nullptr;
}

PixelRect Win32Window::InParent(const NativeControl& control) const {
  PixelRect at = control.rect;
  if (const NativeControl* frame = FrameOf(control)) {
    at.left -= frame->rect.left;
    at.top -= frame->rect.top;
  }
  return at;
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
  // A frame comes before its controls in the tab order, so it exists when they are
  // made. The dialog keys walk into each frame where it stands among its
  // siblings, so frames keep their created place.
  for (const ControlDesc* desc : CreationOrder(layout)) {
    NativeControl& control = controls_[desc - layout.controls.data()];
    const NativeControl* frame = FrameOf(control);
    control.hwnd = CreateControlWindow(frame ? frame->hwnd : hwnd_, InParent(control), control,
                                       fonts_->For(desc->font));
    if (desc->kind == ControlKind::Timer && desc->intervalMs > 0) {
      SetTimer(hwnd_, control.commandId, desc->intervalMs, nullptr);
    }
  }
}

// Both windows are dialogs to a screen reader. Controls that read like their
// neighbours are named by their row; a picture is named by its window text too,
// which is what a system without annotation reads.
void Win32Window::Annotate() {
  notes_->Role(hwnd_, ROLE_SYSTEM_DIALOG);
  for (const NativeControl& control : controls_) {
    const ControlDesc& desc = *control.desc;
    if (!control.hwnd) continue;
    if (!desc.accessibleName.empty()) notes_->Name(control.hwnd, desc.accessibleName);
    if (desc.kind == ControlKind::Image) notes_->Role(control.hwnd, ROLE_SYSTEM_GRAPHIC);
    if (desc.isLink) notes_->Role(control.hwnd, ROLE_SYSTEM_LINK);
  }
}

// The title bar's and the task switcher's icons at the window's density; the
// ones they replace go once the window no longer holds them.
void Win32Window::SetIcons() {
  if (layout_.icon.empty()) return;
  const PicturePtr small = LoadBuiltInIcon(layout_.icon, pictureSize_);
  const PicturePtr big = LoadBuiltInIcon(layout_.icon, MetricForDpi(SM_CXICON, dpi_.y));
  if (small) SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(IconOf(*small)));
  if (big) SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(IconOf(*big)));
  smallIcon_ = small;
  bigIcon_ = big;
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

// A picture is described by the text that says which file it shows, as it changes.
void Win32Window::Update(const ControlId& control, const ControlView& view) {
  for (NativeControl& native : controls_) {
    if (native.desc->id == control) MirrorView(native, view);
    if (native.hwnd && native.desc->describedBy == control)
      notes_->Description(native.hwnd, view.text);
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
      AppendMenuW(popup, MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED), names.size(),
                  Wide(item.caption).c_str());
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

// A link takes the focus only from the keyboard: Enter on a window just opened
// still presses what it always pressed.
void Win32Window::FocusFirstControl() {
  HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  for (HWND at = first; at;) {
    const NativeControl* control = ByWindow(at);
    if (!control || !control->desc->isLink) {
      SetFocus(at);
      return;
    }
    at = GetNextDlgTabItem(hwnd_, at, FALSE);
    if (at == first) return;
  }
}

}  // namespace murvane::win32
