// The widgets Qt has no ready match for: a picture control, a label that is a
// web link, and a key's frame. The screen-reader side knows them by their class,
// which is why the last two have a meta-object of their own: Qt looks for a
// screen-reader interface by class name, and would find its own for a QLabel or
// a QGroupBox first.
#pragma once

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QWidget>
#include <functional>

namespace murvane::qt {

// The form model's handle of a picture, back as the icon to draw.
using IconLookup = std::function<QIcon(std::int32_t handle)>;

// An image control: the picture at the control's size from its corner.
class ImageWidget final : public QWidget {
 public:
  ImageWidget(QWidget* parent, const IconLookup& icons) : QWidget(parent), icons_(icons) {}
  void SetPicture(std::int32_t handle);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  IconLookup icons_;
  QIcon icon_;
};

// Looks like the designed underlined label, with a focus mark while it has the
// focus, so a keyboard user sees where Enter or Space will go.
class LinkLabel final : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;
  // What a click does; the screen reader's press action runs it too.
  std::function<void()> activate;

 protected:
  void paintEvent(QPaintEvent* event) override;
  // Enter or Space opens the link, as a click does; they never reach the
  // window's default button while the link has the focus.
  void keyPressEvent(QKeyEvent* event) override;
};

// A frame that groups a key's controls, which are its children.
class FrameBox final : public QGroupBox {
  Q_OBJECT

 public:
  using QGroupBox::QGroupBox;
};

}  // namespace murvane::qt
