// The panel the on-screen display shows: rounded, slightly see-through, light or
// dark, one picture and text per row. It never takes the focus, never catches a
// click and is never listed by the window manager; it goes by itself after its
// time, and showing it again while it is up only replaces what it says.
#pragma once

#include <QPixmap>
#include <QPropertyAnimation>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace murvane::qt {

struct PanelRow {
  QPixmap picture;  // already at the screen's size and pixel ratio
  QString text;
};

class DisplayPanel final : public QWidget {
 public:
  DisplayPanel();

  // Replaces the rows, sizes the panel for `screen` and shows it at the bottom
  // centre of that screen's work area for its whole time again.
  void Present(std::vector<PanelRow> rows, bool dark, QScreen& screen);
  void Withdraw();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int Scaled(int designPixels) const;
  int RowHeight() const;
  QSize Measure() const;
  void PlaceOn(QScreen& screen);

  std::vector<PanelRow> rows_;
  bool dark_ = false;
  qreal scale_ = 1;  // the screen's density against 96 dpi
  QTimer stay_;
  QPropertyAnimation fade_;
};

// The picture's edge on a screen: 32 pixels at 96 dpi, more on a denser one.
int PictureSide(const QScreen& screen);

}  // namespace murvane::qt
