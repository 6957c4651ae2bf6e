// What a window does with what the frame hears. Rule for every handler: whatever
// it needs is read before the program's events are called, and nothing of the
// window object is touched afterwards, because the program may unload (destroy)
// the window from inside any of its events.
#include <QAbstractButton>
#include <QApplication>

#include "platform/qt/windows/window.h"

namespace murvane::qt {
namespace {

bool IsActive(const QWidget* widget) {
  return widget && !widget->isHidden() && widget->isEnabled();
}

}  // namespace

void QtWindow::Clicked(const NativeControl& control) {
  if (!IsActive(control.widget)) return;
  const ControlId target = control.desc->id;
  const bool checkBox = control.desc->kind == ControlKind::CheckBox;
  NativeWindowEvents& events = events_;
  if (checkBox) return events.OnCheckBoxClicked(target);
  events.OnClick(target);
}

// Frames let the pointer through to the window's ground, as group boxes do.
void QtWindow::PointerOver(const NativeControl* control) {
  const bool ground = !control || control->desc->kind == ControlKind::Frame;
  const ControlId target = ground ? ControlId{} : control->desc->id;
  NativeWindowEvents& events = events_;
  events.OnPointerMove(target);
}

void QtWindow::CloseRequested(int reason) {
  NativeWindowEvents& events = events_;
  events.OnCloseRequest(reason);
}

// Enter presses the focused push button, as in a dialog box; anywhere else it
// presses the default button. Esc presses the cancel button.
void QtWindow::EnterPressed() {
  const NativeControl* focused = ByWidget(QApplication::focusWidget());
  if (focused && focused->desc->kind == ControlKind::Button) return Clicked(*focused);
  for (const NativeControl& control : controls_) {
    if (control.desc->kind == ControlKind::Button && control.desc->isDefault)
      return Clicked(control);
  }
}

void QtWindow::EscapePressed() {
  for (const NativeControl& control : controls_) {
    if (control.desc->kind == ControlKind::Button && control.desc->isCancel)
      return Clicked(control);
  }
}

}  // namespace murvane::qt
