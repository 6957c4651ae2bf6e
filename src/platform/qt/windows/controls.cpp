#include "platform/qt/windows/controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <cmath>

#include "platform/qt/text.h"
#include "platform/qt/windows/control_widgets.h"

namespace murvane::qt {
namespace {

// The form model owns a checkbox's value; a click only asks it for a new one.
class ModelCheckBox final : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override {}
};

// The smallest font a caption may shrink to before it is left to be clipped.
constexpr double kSmallestScale = 0.7;

QColor ToQColor(Colour colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void SetForeColour(QWidget& widget, const std::optional<Colour>& colour) {
  QPalette palette = widget.palette();
  const QColor text =
      colour ? ToQColor(*colour) : QApplication::palette().color(QPalette::WindowText);
  palette.setColor(QPalette::WindowText, text);
  widget.setPalette(palette);
}

QWidget* MakeWidget(QWidget& parent, const ControlDesc& desc, const QString& caption,
                    const IconLookup& icons) {
  switch (desc.kind) {
    case ControlKind::Frame:
      return new FrameBox(caption, &parent);
    case ControlKind::Button:
      return new QPushButton(caption, &parent);
    case ControlKind::CheckBox:
      return new ModelCheckBox(caption, &parent);
    case ControlKind::TextBox:
      return new QLineEdit(caption, &parent);
    case ControlKind::Image:
      return new ImageWidget(&parent, icons);
    case ControlKind::Label: {
      auto* label = desc.isLink ? new LinkLabel(caption, &parent) : new QLabel(caption, &parent);
      label->setWordWrap(true);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case ControlKind::Line:
    case ControlKind::Timer:
      break;
  }
  return nullptr;
}

bool TakesFocus(const ControlDesc& desc) {
  const bool focusable = desc.kind == ControlKind::Button || desc.kind == ControlKind::CheckBox ||
                         desc.kind == ControlKind::TextBox || desc.isLink;
  return focusable && desc.visible && desc.tabIndex >= 0;
}

// A click on the link opens it and leaves the focus where it was, so Enter
// afterwards still presses the default button; only Tab brings the focus to it.
Qt::FocusPolicy FocusPolicyOf(const ControlDesc& desc) {
  if (!TakesFocus(desc)) return Qt::NoFocus;
  return desc.isLink ? Qt::TabFocus : Qt::StrongFocus;
}

// Starts again from the designed size, so a shorter caption gets it back.
void ShrinkUntilFits(QWidget& widget, int designed) {
  QFont font = widget.font();
  font.setPixelSize(designed);
  widget.setFont(font);
  while (!CaptionFits(widget) && font.pixelSize() > std::lround(designed * kSmallestScale)) {
    font.setPixelSize(font.pixelSize() - 1);
    widget.setFont(font);
  }
}

}  // namespace

void ImageWidget::SetPicture(std::int32_t handle) {
  icon_ = handle ? icons_(handle) : QIcon();
  update();
}

void ImageWidget::paintEvent(QPaintEvent*) {
  if (icon_.isNull()) return;
  QPainter painter(this);
  const int side = std::min(width(), height());
  icon_.paint(&painter, QRect(0, 0, side, side));
}

void LinkLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  QStylePainter painter(this);
  QStyleOptionFocusRect option;
  option.initFrom(this);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
    return QLabel::keyPressEvent(event);
  if (activate) activate();  // may end the window; nothing of this label is used after
}

QFont FontFor(const FontDesc& desc, int dpiY) {
  constexpr double kDesignedPoints = 8.25;  // the form's own font when a control names none
  QFont font = QApplication::font();
  font.setStyleHint(QFont::SansSerif);
  const double points = desc.face.empty() ? kDesignedPoints : desc.points;
  font.setPixelSize(static_cast<int>(std::lround(points * dpiY / 72.0)));
  font.setBold(desc.bold);
  font.setUnderline(desc.underline);
  return font;
}

// A push button draws its caption centred inside its frame; a checkbox beside
// its box; a label wraps at words inside its rectangle.
bool CaptionFits(const QWidget& widget) {
  const QFontMetrics metrics(widget.font());
  const QStyle& style = *widget.style();
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    const QRect room(0, 0, widget.width(), 10000);
    const QRect used = metrics.boundingRect(room, Qt::TextWordWrap, label->text());
    return used.width() <= widget.width() && used.height() <= widget.height();
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
    QString text = button->text();
    text.remove(QLatin1Char('&'));
    int decoration = 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &widget) + 2;
    if (qobject_cast<const QCheckBox*>(&widget)) {
      decoration = style.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &widget) +
                   style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &widget);
    }
    return decoration + metrics.horizontalAdvance(text) <= widget.width() &&
           metrics.height() <= widget.height();
  }
  return true;
}

QWidget* CreateControlWidget(QWidget& parent, QPoint parentCorner, const NativeControl& control,
                             const QFont& font, const IconLookup& icons) {
  const ControlDesc& desc = *control.desc;
  QWidget* widget = MakeWidget(parent, desc, ToQString(control.view.text), icons);
  if (!widget) return nullptr;
  const PixelRect& r = control.rect;
  widget->setGeometry(r.left - parentCorner.x(), r.top - parentCorner.y(), r.width, r.height);
  if (!desc.accessibleName.empty()) widget->setAccessibleName(ToQString(desc.accessibleName));
  widget->setFont(font);
  widget->setFocusPolicy(FocusPolicyOf(desc));
  if (auto* box = qobject_cast<QCheckBox*>(widget)) box->setChecked(control.view.value == 1);
  if (auto* button = qobject_cast<QPushButton*>(widget)) {
    button->setDefault(desc.isDefault);
    button->setAutoDefault(false);
  }
  if (control.view.foreColour) SetForeColour(*widget, control.view.foreColour);
  ShrinkUntilFits(*widget, font.pixelSize());
  widget->setVisible(desc.visible);
  return widget;
}

void MirrorView(NativeControl& control, const ControlView& view) {
  ControlView& shown = control.view;
  QWidget* widget = control.widget;
  if (widget && view.text != shown.text) {
    const QString text = ToQString(view.text);
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(text);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(text);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setText(text);
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) frame->setTitle(text);
    ShrinkUntilFits(*widget, control.designedPixelSize);
  }
  if (auto* box = qobject_cast<QCheckBox*>(widget); box && view.value != shown.value) {
    box->setChecked(view.value == 1);
  }
  if (auto* image = dynamic_cast<ImageWidget*>(widget); image && view.picture != shown.picture) {
    image->SetPicture(view.picture ? view.picture->Handle() : 0);
  }
  if (widget && view.foreColour != shown.foreColour) SetForeColour(*widget, view.foreColour);
  shown = view;
}

}  // namespace murvane::qt
