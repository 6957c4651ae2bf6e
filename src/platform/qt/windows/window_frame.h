// The QWidget behind a QtWindow: turns Qt's events into the window's calls.
#pragma once

#include <QPointer>
#include <QWidget>

namespace murvane::qt {

class QtWindow;
struct NativeControl;

class WindowFrame final : public QWidget {
 public:
  explicit WindowFrame(QtWindow& window);
  // From here on no event reaches the window.
  void Detach() { window_ = nullptr; }
  // Makes every child report pointer moves and clicks to the frame.
  void Watch(QWidget& child);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool ClickedOn(const NativeControl& control, QEvent* event);

  QtWindow* window_;
  QPointer<QWidget> pressed_;  // the label or picture a left press went to
};

}  // namespace murvane::qt
