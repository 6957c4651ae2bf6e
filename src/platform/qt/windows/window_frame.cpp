#include "platform/qt/windows/window_frame.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/windows/window.h"

namespace murvane::qt {

WindowFrame::WindowFrame(QtWindow& window)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      window_(&window) {
  setMouseTracking(true);
}

// A move over a control is that control's alone: a label ignores it, and Qt
// would pass it on to the frame as a move over the window's ground.
void WindowFrame::Watch(QWidget& child) {
  child.setMouseTracking(true);
  child.setAttribute(Qt::WA_NoMousePropagation);
  child.installEventFilter(this);
}

// The program decides whether the window goes; Qt must not hide it meanwhile.
void WindowFrame::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (window_) window_->CloseRequested(kUnloadByUser);
}

void WindowFrame::keyPressEvent(QKeyEvent* event) {
  if (!window_) return;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return window_->EnterPressed();
    case Qt::Key_Escape:
      return window_->EscapePressed();
    default:
      QWidget::keyPressEvent(event);
  }
}

void WindowFrame::mouseMoveEvent(QMouseEvent*) {
  if (window_) window_->PointerOver(nullptr);
}

void WindowFrame::paintEvent(QPaintEvent*) {
  if (!window_) return;
  QPainter painter(this);
  for (const NativeControl& line : window_->Controls()) {
    const ControlDesc& desc = *line.desc;
    if (desc.kind != ControlKind::Line || !desc.visible) continue;
    const Colour colour = line.view.foreColour.value_or(0);
    painter.setPen(
        QPen(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF), desc.lineWidth));
    const PixelRect& r = line.rect;
    painter.drawLine(r.left, r.top, r.left + r.width, r.top + r.height);
  }
}

bool WindowFrame::eventFilter(QObject* watched, QEvent* event) {
  if (!window_) return QWidget::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (event->type() == QEvent::MouseMove) window_->PointerOver(window_->ByWidget(widget));
  if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
    if (const NativeControl* control = window_->ByWidget(widget);
        control && ClickedOn(*control, event))
      window_->Clicked(*control);  // may end this window: nothing of it is touched after
  }
  return QWidget::eventFilter(watched, event);
}

// Labels and pictures have no click of their own in Qt; as on Windows, a left
// press and its release over the same one make a click of it.
bool WindowFrame::ClickedOn(const NativeControl& control, QEvent* event) {
  const ControlKind kind = control.desc->kind;
  if (kind != ControlKind::Label && kind != ControlKind::Image) return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  if (mouse->button() != Qt::LeftButton) return false;
  if (event->type() == QEvent::MouseButtonPress) {
    pressed_ = control.widget;
    return false;
  }
  const bool inside = control.widget->rect().contains(mouse->position().toPoint());
  const bool click = pressed_ == control.widget && inside;
  pressed_ = nullptr;
  return click;
}

}  // namespace murvane::qt
