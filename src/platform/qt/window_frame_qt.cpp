#include "platform/qt/window_frame_qt.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "platform/qt/window_qt.h"

namespace murvane::qt {

WindowFrame::WindowFrame(QtWindow& window)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      window_(&window) {
  setMouseTracking(true);
}

void WindowFrame::Watch(QWidget& child) {
  child.setMouseTracking(true);
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
  if (event->type() == QEvent::MouseMove && window_) {
    window_->PointerOver(window_->ByWidget(qobject_cast<QWidget*>(watched)));
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace murvane::qt
