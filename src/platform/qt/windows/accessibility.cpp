#include "platform/qt/windows/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGroupBox>

#include "platform/qt/windows/control_widgets.h"
#include "platform/qt/windows/window_frame.h"

namespace murvane::qt {
namespace {

// A window or a key frame. Its children are only what the user can see: the
// controls that keep state unseen, and a label left empty, would be read out
// as nameless objects among the real ones.
class Container final : public QAccessibleWidget {
 public:
  Container(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

  QString text(QAccessible::Text kind) const override {
    const auto* group = qobject_cast<const QGroupBox*>(widget());
    if (kind == QAccessible::Name && group && widget()->accessibleName().isEmpty())
      return group->title();
    return QAccessibleWidget::text(kind);
  }
  int childCount() const override { return static_cast<int>(Shown().size()); }
  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> shown = Shown();
    return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown[index])
                                              : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child ? static_cast<int>(Shown().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
  }

 private:
  QList<QWidget*> Shown() const {
    QList<QWidget*> shown;
    for (QObject* object : widget()->children()) {
      auto* child = qobject_cast<QWidget*>(object);
      if (!child || child->isWindow() || child->isHidden()) continue;
      const auto* label = qobject_cast<const QLabel*>(child);
      if (label && label->text().isEmpty()) continue;
      shown.append(child);
    }
    return shown;
  }
};

// Named by the layout; described by the file it shows, or "(Default)".
class Picture final : public QAccessibleWidget, public QAccessibleImageInterface {
 public:
  explicit Picture(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Graphic) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ImageInterface) return static_cast<QAccessibleImageInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString imageDescription() const override { return widget()->accessibleDescription(); }
  QSize imageSize() const override { return widget()->size(); }
  QPoint imagePosition() const override { return widget()->mapToGlobal(QPoint(0, 0)); }
};

class Link final : public QAccessibleWidget {
 public:
  explicit Link(LinkLabel* label) : QAccessibleWidget(label, QAccessible::Link), label_(label) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return label_->text();
    return QAccessibleWidget::text(kind);
  }
  QStringList actionNames() const override {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action != pressAction()) return QAccessibleWidget::doAction(action);
    if (label_->activate) label_->activate();
  }

 private:
  LinkLabel* label_;
};

QAccessibleInterface* MurvaneWidgets(const QString& /*className*/, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (!widget) return nullptr;
  if (dynamic_cast<WindowFrame*>(widget)) return new Container(widget, QAccessible::Dialog);
  if (qobject_cast<FrameBox*>(widget)) return new Container(widget, QAccessible::Grouping);
  if (dynamic_cast<ImageWidget*>(widget)) return new Picture(widget);
  if (auto* link = qobject_cast<LinkLabel*>(widget)) return new Link(link);
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(MurvaneWidgets);
    return true;
  }();
  (void)installed;
}

}  // namespace murvane::qt
