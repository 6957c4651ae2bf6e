#include "platform/qt/osd/display_window.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <utility>

#include "platform/qt/osd/display_panel.h"
#include "platform/qt/text.h"

namespace murvane::qt {
namespace {

// The monitor the user works on is the one under the pointer.
QScreen& WorkingScreen() {
  QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
  return screen ? *screen : *QGuiApplication::primaryScreen();
}

// Pixmaps made afresh for each display and dropped with the next: nothing is kept
// per picture, so thousands of displays hold no more than one.
std::vector<PanelRow> PanelRows(const std::vector<DisplayRow>& rows,
                                const QtPictureSource& pictures, const QScreen& screen) {
  const int side = PictureSide(screen);
  std::vector<PanelRow> panelRows;
  for (const DisplayRow& row : rows) {
    QPixmap picture;
    if (row.picture) {
      picture = pictures.IconOf(row.picture->Handle())
                    .pixmap(QSize(side, side), screen.devicePixelRatio());
    }
    panelRows.push_back({std::move(picture), ToQString(row.text)});
  }
  return panelRows;
}

}  // namespace

QtDisplayWindow::QtDisplayWindow(QtPictureSource& pictures, std::function<bool()> prefersDark,
                                 std::function<bool()> fullScreenInFront)
    : pictures_(pictures),
      prefersDark_(std::move(prefersDark)),
      fullScreenInFront_(std::move(fullScreenInFront)) {}

QtDisplayWindow::~QtDisplayWindow() = default;

// A panel already up goes too when a full-screen program came in front: being
// above everything, it would cover the film or the slides.
void QtDisplayWindow::Show(const std::vector<DisplayRow>& rows) {
  if (fullScreenInFront_ && fullScreenInFront_()) {
    if (panel_) panel_->Withdraw();
    return;
  }
  if (!panel_) panel_ = std::make_unique<DisplayPanel>();
  QScreen& screen = WorkingScreen();
  panel_->Present(PanelRows(rows, pictures_, screen), prefersDark_ && prefersDark_(), screen);
}

}  // namespace murvane::qt
