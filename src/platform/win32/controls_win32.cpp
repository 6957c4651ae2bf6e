#include "platform/win32/controls_win32.h"

#include <commctrl.h>

#include "platform/win32/pictures_win32.h"
#include "platform/win32/text_win32.h"

namespace murvane::win32 {
namespace {

struct NativeClass {
  const wchar_t* name;
  DWORD style;
  DWORD exStyle;
};

NativeClass ClassFor(const ControlDesc& desc) {
  switch (desc.kind) {
    case ControlKind::Frame:
      // The key's controls live inside it, and the dialog keys walk into it.
      return {L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case ControlKind::Button:
      return {L"BUTTON", static_cast<DWORD>(desc.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
    case ControlKind::CheckBox:
      // Not an auto checkbox: the form model owns the value and says when it changes.
      return {L"BUTTON", BS_CHECKBOX, 0};
    case ControlKind::TextBox:
      return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Image:
      return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0};
    case ControlKind::Label:
      // SS_LEFT wraps words; SS_NOTIFY reports clicks and lets the pointer be seen.
      return {L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0};
    case ControlKind::Line:
    case ControlKind::Timer:
      break;
  }
  return {nullptr, 0, 0};
}

bool TakesFocus(const ControlDesc& desc) {
  const bool focusable = desc.kind == ControlKind::Button || desc.kind == ControlKind::CheckBox ||
                         desc.kind == ControlKind::TextBox || desc.isLink;
  return focusable && desc.visible && desc.tabIndex >= 0;
}

// What the controls inside a frame tell their parent is meant for the window.
LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
  const bool forWindow = message == WM_COMMAND || message == WM_DRAWITEM ||
                         (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
  if (forWindow) return SendMessageW(GetParent(frame), message, wParam, lParam);
  // Themed buttons draw their corners over their parent's ground, and a frame
  // has none of its own: it lends them the window's.
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(frame, &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(frame, &FrameProc, 0);
  return DefSubclassProc(frame, message, wParam, lParam);
}

bool OpensLink(const MSG* message) {
  return message && message->message == WM_KEYDOWN &&
         (message->wParam == VK_RETURN || message->wParam == VK_SPACE);
}

void DrawFocusMark(HWND link) {
  RECT client;
  GetClientRect(link, &client);
  HDC dc = GetDC(link);
  DrawFocusRect(dc, &client);
  ReleaseDC(link, dc);
}

// Enter or Space on the focused link opens it as a click does; without asking
// for Enter, the dialog keys would press the default button instead.
LRESULT CALLBACK LinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
  switch (message) {
    case WM_GETDLGCODE:
      return DefSubclassProc(link, message, wParam, lParam) |
             (OpensLink(reinterpret_cast<const MSG*>(lParam)) ? DLGC_WANTMESSAGE : 0);
    case WM_KEYDOWN: {
      const MSG key{link, message, wParam, lParam, 0, {}};
      if (!OpensLink(&key)) break;
      // A held key repeats; the link opens once. The click may end the window.
      if (!(lParam & (1 << 30))) {
        SendMessageW(GetParent(link), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(link), STN_CLICKED),
                     reinterpret_cast<LPARAM>(link));
      }
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(link, nullptr, TRUE);
      break;
    case WM_PAINT: {
      const LRESULT painted = DefSubclassProc(link, message, wParam, lParam);
      if (GetFocus() == link) DrawFocusMark(link);
      return painted;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(link, &LinkProc, 0);
      break;
  }
  return DefSubclassProc(link, message, wParam, lParam);
}

// An owner-drawn picture never paints its text, so the text can name it for a
// screen reader.
const std::u16string& WindowText(const NativeControl& control) {
  const ControlDesc& desc = *control.desc;
  return desc.kind == ControlKind::Image ? desc.accessibleName : control.view.text;
}

}  // namespace

HWND CreateControlWindow(HWND parent, const PixelRect& at, const NativeControl& control,
                         HFONT font) {
  const ControlDesc& desc = *control.desc;
  const NativeClass native = ClassFor(desc);
  if (!native.name) return nullptr;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | native.style;
  if (desc.visible) style |= WS_VISIBLE;
  // Each focusable control is a group of its own, so arrow keys never carry the
  // focus onto a label or a picture.
  if (TakesFocus(desc)) style |= WS_TABSTOP | WS_GROUP;
  HWND hwnd = CreateWindowExW(native.exStyle, native.name, Wide(WindowText(control)).c_str(), style,
                              at.left, at.top, at.width, at.height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.commandId)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return nullptr;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (desc.kind == ControlKind::Frame) SetWindowSubclass(hwnd, &FrameProc, 0, 0);
  if (desc.isLink) SetWindowSubclass(hwnd, &LinkProc, 0, 0);
  if (desc.kind == ControlKind::CheckBox) {
    SendMessageW(hwnd, BM_SETCHECK, control.view.value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  return hwnd;
}

void MirrorView(NativeControl& control, const ControlView& view) {
  ControlView& shown = control.view;
  HWND hwnd = control.hwnd;
  if (hwnd && view.text != shown.text) SetWindowTextW(hwnd, Wide(view.text).c_str());
  if (hwnd && control.desc->kind == ControlKind::CheckBox && view.value != shown.value) {
    SendMessageW(hwnd, BM_SETCHECK, view.value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  const bool redraw = view.picture != shown.picture || view.foreColour != shown.foreColour;
  shown = view;
  if (hwnd && redraw) InvalidateRect(hwnd, nullptr, TRUE);
}

void DrawImage(const DRAWITEMSTRUCT& item, const NativeControl& control, int pictureSize) {
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  if (!control.view.picture) return;
  // The picture at its own size from the corner, as an unstretched image shows it.
  DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top,
             IconAtSize(IconOf(*control.view.picture), pictureSize), 0, 0, 0, nullptr, DI_NORMAL);
}

void DrawLine(HDC dc, const NativeControl& line) {
  const ControlDesc& desc = *line.desc;
  const Colour colour = line.view.foreColour.value_or(GetSysColor(COLOR_WINDOWTEXT));
  HPEN pen = CreatePen(desc.insideSolid ? PS_INSIDEFRAME : PS_SOLID, desc.lineWidth, colour);
  HGDIOBJ previous = SelectObject(dc, pen);
  const PixelRect& r = line.rect;
  MoveToEx(dc, r.left, r.top, nullptr);
  LineTo(dc, r.left + r.width, r.top + r.height);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

}  // namespace murvane::win32
