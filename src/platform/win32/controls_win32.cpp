#include "platform/win32/controls_win32.h"

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
      return {L"BUTTON", BS_GROUPBOX, 0};
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
                         desc.kind == ControlKind::TextBox;
  return focusable && desc.visible && desc.tabIndex >= 0;
}

}  // namespace

HWND CreateControlWindow(HWND parent, const NativeControl& control, HFONT font) {
  const ControlDesc& desc = *control.desc;
  const NativeClass native = ClassFor(desc);
  if (!native.name) return nullptr;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | native.style;
  if (desc.visible) style |= WS_VISIBLE;
  // Each focusable control is a group of its own, so arrow keys never carry the
  // focus onto a label or a picture.
  if (TakesFocus(desc)) style |= WS_TABSTOP | WS_GROUP;
  const PixelRect& r = control.rect;
  HWND hwnd = CreateWindowExW(native.exStyle, native.name, Wide(control.view.text).c_str(), style,
                              r.left, r.top, r.width, r.height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.commandId)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return nullptr;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
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
