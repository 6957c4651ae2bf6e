#include "platform/qt/windows/window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include "platform/qt/text.h"
#include "platform/qt/windows/accessibility.h"
#include "platform/qt/windows/window_frame.h"

namespace murvane::qt {

QtWindow::QtWindow(const WindowDesc& layout, NativeWindowEvents& events,
                   const WindowEnvironment& env)
    : events_(events),
      env_(env),
      handle_(env.registry.Add(events, layout)),
      frame_(new WindowFrame(*this)),
      layout_(&layout) {
  InstallAccessibility();
  frame_->setWindowTitle(ToQString(layout.caption));
  CreateControls(layout);
  Place(layout);
  SetIcon(layout.icon);
}

// The frame may be inside one of its own events: it goes later, and hears
// nothing more from now on.
QtWindow::~QtWindow() {
  env_.registry.Remove(handle_);
  context_.reset();
  if (!frame_) return;
  for (NativeControl& control : controls_) {
    if (control.timer) control.timer->stop();
  }
  frame_->Detach();
  frame_->hide();
  frame_->deleteLater();
}

QWidget& QtWindow::Frame() const {
  return *frame_;
}

void QtWindow::CreateControls(const WindowDesc& layout) {
  controls_.reserve(layout.controls.size());
  for (const ControlDesc& desc : layout.controls) {
    NativeControl control;
    control.desc = &desc;
    control.rect = ControlRect(layout, desc, env_.dpi);
    control.view.text = desc.caption;
    control.view.value = desc.value;
    control.view.foreColour = desc.foreColour;
    controls_.push_back(std::move(control));
  }
  // Qt moves the focus in creation order, as Windows does: tab index first.
  for (const ControlDesc* desc : CreationOrder(layout)) {
    NativeControl& control = controls_[static_cast<std::size_t>(desc - layout.controls.data())];
    const QFont font = FontFor(desc->font, env_.dpi.y);
    control.designedPixelSize = font.pixelSize();
    const NativeControl* group = desc->parent.empty() ? nullptr : Find({desc->parent});
    QWidget* parent = group && group->widget ? group->widget : frame_.data();
    const QPoint corner = parent == frame_ ? QPoint() : QPoint(group->rect.left, group->rect.top);
    control.widget = CreateControlWidget(*parent, corner, control, font, env_.icons);
    if (control.widget) frame_->Watch(*control.widget);
    const std::size_t at = static_cast<std::size_t>(&control - controls_.data());
    if (auto* button = qobject_cast<QAbstractButton*>(control.widget)) {
      QObject::connect(button, &QAbstractButton::clicked, context_.get(),
                       [this, at] { Clicked(controls_[at]); });
    }
    if (auto* link = dynamic_cast<LinkLabel*>(control.widget))
      link->activate = [this, at] { Clicked(controls_[at]); };
    if (desc->kind == ControlKind::Timer && desc->intervalMs > 0) {
      control.timer = new QTimer(frame_);
      const ControlId id = desc->id;
      QObject::connect(control.timer, &QTimer::timeout, context_.get(),
                       [this, id] { events_.OnTimer(id); });
      control.timer->start(desc->intervalMs);
    }
  }
  // Frames go beneath the controls drawn over them.
  for (const NativeControl& control : controls_) {
    if (control.desc->kind == ControlKind::Frame && control.widget) control.widget->lower();
  }
}

NativeControl* QtWindow::Find(const ControlId& id) {
  for (NativeControl& control : controls_) {
    if (control.desc->id == id) return &control;
  }
  return nullptr;
}

// A link takes the focus only from Tab: a window opens with the focus on its
// first other control, so Enter there still means what it always did.
void QtWindow::FocusFirstControl() {
  if (frame_->focusWidget()) return;
  for (const ControlDesc* desc : CreationOrder(*layout_)) {
    const NativeControl* control = Find(desc->id);
    if (control->widget && !desc->isLink && control->widget->focusPolicy() != Qt::NoFocus) {
      control->widget->setFocus();
      return;
    }
  }
}

void QtWindow::Place(const WindowDesc& layout) {
  const PixelRect client = ClientRect(layout, env_.dpi);
  frame_->setFixedSize(client.width, client.height);
  if (layout.position != StartPosition::CenterScreen) return;
  if (const QScreen* screen = QApplication::primaryScreen()) {
    const QRect work = screen->availableGeometry();
    frame_->move(work.center() - QPoint(client.width / 2, client.height / 2));
  }
}

void QtWindow::SetIcon(const std::string& iconName) {
  if (iconName.empty()) return;
  icon_ = env_.builtIn(iconName);
  if (icon_) frame_->setWindowIcon(env_.icons(icon_->Handle()));
}

void QtWindow::Show() {
  FocusFirstControl();
  frame_->show();
  frame_->raise();
  frame_->activateWindow();
}

void QtWindow::Hide() {
  frame_->hide();
}

void QtWindow::SetCaption(const std::u16string& caption) {
  frame_->setWindowTitle(ToQString(caption));
}

void QtWindow::Update(const ControlId& control, const ControlView& view) {
  for (NativeControl& native : controls_) {
    if (native.desc->id != control) continue;
    const bool redraw =
        native.desc->kind == ControlKind::Line && view.foreColour != native.view.foreColour;
    MirrorView(native, view);
    if (redraw) frame_->update();
    DescribeBy(control, view.text);
    return;
  }
}

void QtWindow::DescribeBy(const ControlId& control, const std::u16string& text) {
  for (NativeControl& native : controls_) {
    if (native.widget && native.desc->describedBy == control)
      native.widget->setAccessibleDescription(ToQString(text));
  }
}

QWidget* QtWindow::ControlWidget(const ControlId& control) const {
  for (const NativeControl& native : controls_) {
    if (native.desc->id == control) return native.widget;
  }
  return nullptr;
}

const NativeControl* QtWindow::ByWidget(const QWidget* widget) const {
  for (const NativeControl& control : controls_) {
    if (control.widget && control.widget == widget) return &control;
  }
  return nullptr;
}

void QtWindow::MenuChanged(const MenuDesc& menu) {
  env_.registry.SetTrayMenu(handle_, menu);
}

// A menu opened from a tray icon is already on screen, or in the panel's hands;
// any other opens here at the pointer. Either way this returns once it closed.
std::string QtWindow::PopupMenu(const MenuDesc& menu) {
  if (TrayMenu* tray = env_.trayMenus.Delivering()) {
    FillMenu(tray->Menu(), menu);
    return tray->WaitForChoice();
  }
  QMenu popup;
  FillMenu(popup, menu);
  const QAction* chosen = popup.exec(QCursor::pos());
  return chosen ? chosen->data().toString().toStdString() : std::string();
}

}  // namespace murvane::qt
