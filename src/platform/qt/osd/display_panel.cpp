#include "platform/qt/osd/display_panel.h"

#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <algorithm>
#include <utility>

namespace murvane::qt {
namespace {

constexpr int kStayMs = 1500;
constexpr int kFadeMs = 250;
// Design pixels at 96 dpi.
constexpr int kPicture = 32;
constexpr int kPadding = 14;
constexpr int kGap = 12;
constexpr int kRowSpacing = 6;
constexpr int kRadius = 12;
constexpr int kAboveWorkArea = 48;

// Slightly see-through so the work under it stays in view, yet opaque enough to read.
const QColor kDarkGround(32, 32, 36, 225);
const QColor kLightGround(248, 248, 248, 235);

// Tooltip type: override-redirect on X11, so no window manager lists, focuses or
// decorates it; the focus and input hints keep Qt and the server from giving it
// either, whatever the window manager.
constexpr Qt::WindowFlags kFlags = Qt::ToolTip | Qt::FramelessWindowHint |
                                   Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                                   Qt::WindowTransparentForInput;

}  // namespace

int PictureSide(const QScreen& screen) {
  return qRound(kPicture * screen.logicalDotsPerInch() / 96.0);
}

DisplayPanel::DisplayPanel() : QWidget(nullptr, kFlags), fade_(this, "windowOpacity") {
  setWindowTitle(QStringLiteral("Murvane - Avviso a schermo"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TranslucentBackground);
  setFocusPolicy(Qt::NoFocus);
  QFont larger = font();
  larger.setPointSizeF(larger.pointSizeF() * 1.3);
  setFont(larger);
  stay_.setSingleShot(true);
  fade_.setDuration(kFadeMs);
  fade_.setStartValue(1.0);
  fade_.setEndValue(0.0);
  connect(&stay_, &QTimer::timeout, this, [this] { fade_.start(); });
  connect(&fade_, &QPropertyAnimation::finished, this, &QWidget::hide);
}

void DisplayPanel::Present(std::vector<PanelRow> rows, bool dark, QScreen& screen) {
  rows_ = std::move(rows);
  dark_ = dark;
  scale_ = screen.logicalDotsPerInch() / 96.0;
  fade_.stop();
  if (windowOpacity() < 1.0) setWindowOpacity(1.0);
  PlaceOn(screen);
  show();
  raise();
  update();
  stay_.start(kStayMs);
}

void DisplayPanel::Withdraw() {
  stay_.stop();
  fade_.stop();
  hide();
}

int DisplayPanel::Scaled(int designPixels) const {
  return qRound(designPixels * scale_);
}

int DisplayPanel::RowHeight() const {
  return std::max(Scaled(kPicture), fontMetrics().height());
}

QSize DisplayPanel::Measure() const {
  int textWidth = 0;
  for (const PanelRow& row : rows_)
    textWidth = std::max(textWidth, fontMetrics().horizontalAdvance(row.text));
  const auto count = static_cast<int>(rows_.size());
  const int width = 2 * Scaled(kPadding) + Scaled(kPicture) + Scaled(kGap) + textWidth;
  const int height =
      2 * Scaled(kPadding) + count * RowHeight() + std::max(0, count - 1) * Scaled(kRowSpacing);
  return {width, height};
}

// Where no compositor blends the see-through corners, the window's own shape
// still cuts them, so the panel is round on a bare X server too.
void DisplayPanel::PlaceOn(QScreen& screen) {
  setScreen(&screen);
  const QSize size = Measure();
  const QRect area = screen.availableGeometry();
  setGeometry(area.center().x() - size.width() / 2,
              area.bottom() + 1 - Scaled(kAboveWorkArea) - size.height(), size.width(),
              size.height());
  QPainterPath outline;
  outline.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), Scaled(kRadius), Scaled(kRadius));
  setMask(QRegion(outline.toFillPolygon().toPolygon()));
}

void DisplayPanel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(rect(), Qt::transparent);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setPen(dark_ ? QColor(255, 255, 255, 40) : QColor(0, 0, 0, 40));
  painter.setBrush(dark_ ? kDarkGround : kLightGround);
  painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), Scaled(kRadius),
                          Scaled(kRadius));
  painter.setPen(dark_ ? Qt::white : Qt::black);
  const int side = Scaled(kPicture);
  int top = Scaled(kPadding);
  for (const PanelRow& row : rows_) {
    const int left = Scaled(kPadding);
    painter.drawPixmap(QRect(left, top + (RowHeight() - side) / 2, side, side), row.picture);
    const QRect textBox(left + side + Scaled(kGap), top, width(), RowHeight());
    painter.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, row.text);
    top += RowHeight() + Scaled(kRowSpacing);
  }
}

}  // namespace murvane::qt
