#include "platform/qt/tray/tray_menu.h"

#include <QEventLoop>
#include <QTimer>
#include <utility>

#include "platform/qt/text.h"

namespace murvane::qt {
namespace {

// Some panels report the menu closed before the click on its item arrives.
constexpr int kClickAfterCloseMs = 300;

// The ticks are left out: they change in place (SetTicks), so a panel hears of
// the one item that changed, and a menu on the screen is not emptied under the pointer.
bool HoldsItems(const QMenu& menu, const MenuDesc& desc) {
  const QList<QAction*> actions = menu.actions();
  if (actions.size() != static_cast<qsizetype>(desc.items.size())) return false;
  for (qsizetype i = 0; i < actions.size(); ++i) {
    const MenuItemDesc& item = desc.items[static_cast<std::size_t>(i)];
    if (actions[i]->data().toString().toStdString() != item.name) return false;
    if (!actions[i]->isSeparator() && actions[i]->text() != ToQString(item.caption)) return false;
  }
  return true;
}

// Only a ticked item is checkable, as a Windows menu item has no box until it
// is checked. Qt sends a panel a change only when a value really changes.
void SetTicks(QMenu& menu, const MenuDesc& desc) {
  const QList<QAction*> actions = menu.actions();
  for (qsizetype i = 0; i < actions.size(); ++i) {
    const bool checked = desc.items[static_cast<std::size_t>(i)].checked;
    actions[i]->setCheckable(checked);
    actions[i]->setChecked(checked);
  }
}

}  // namespace

// Only a menu Qt puts on the screen itself gets a show event: a panel that
// shows the menu over D-Bus never makes this widget visible.
class TrayMenu::ShownMenu final : public QMenu {
 public:
  std::function<void()> onShow;

 protected:
  void showEvent(QShowEvent* event) override {
    QMenu::showEvent(event);
    if (onShow) onShow();
  }
};

void FillMenu(QMenu& menu, const MenuDesc& desc) {
  if (!HoldsItems(menu, desc)) {
    menu.clear();
    for (const MenuItemDesc& item : desc.items) {
      QAction* action =
          item.caption == u"-" ? menu.addSeparator() : menu.addAction(ToQString(item.caption));
      action->setData(QString::fromStdString(item.name));
    }
  }
  SetTicks(menu, desc);
}

TrayMenu::TrayMenu(std::function<void()> rightButton)
    : menu_(new ShownMenu), rightButton_(std::move(rightButton)) {
  menu_->onShow = [this] { ShownHere(); };
  QObject::connect(menu_, &QMenu::triggered, menu_,
                   [this](QAction* action) { Chosen(action->data().toString().toStdString()); });
  QObject::connect(menu_, &QMenu::aboutToHide, menu_, [this] { open_ = false; });
}

// An icon deleted while the program waits on its menu (the program ended from
// elsewhere) ends that wait with nothing chosen.
TrayMenu::~TrayMenu() {
  *alive_ = false;
  if (waiting_) waiting_->quit();
  menu_->onShow = nullptr;
  menu_->disconnect();
  menu_->hide();
  menu_->deleteLater();
}

QMenu& TrayMenu::Menu() {
  return *menu_;
}

void TrayMenu::ShownHere() {
  shownHere_ = open_ = true;
  chosen_.clear();
  if (rightButton_) rightButton_();
}

void TrayMenu::Chosen(std::string name) {
  if (shownHere_) {
    chosen_ = std::move(name);
    return;
  }
  panelChoice_ = std::move(name);
  if (rightButton_) rightButton_();
}

std::string TrayMenu::WaitForChoice() {
  if (!panelChoice_.empty()) return std::exchange(panelChoice_, std::string());
  if (!shownHere_) return {};
  const std::shared_ptr<bool> alive = alive_;
  std::string chosen = WaitOnShownMenu();
  if (*alive) shownHere_ = false;
  return chosen;
}

std::string TrayMenu::WaitOnShownMenu() {
  QEventLoop loop;
  QTimer grace;
  grace.setSingleShot(true);
  QObject::connect(&grace, &QTimer::timeout, &loop, &QEventLoop::quit);
  auto check = [&] {
    if (!chosen_.empty()) return loop.quit();
    if (!open_ && !grace.isActive()) grace.start(kClickAfterCloseMs);
  };
  const auto chosenWatch =
      QObject::connect(menu_, &QMenu::triggered, &loop, check, Qt::QueuedConnection);
  const auto hiddenWatch =
      QObject::connect(menu_, &QMenu::aboutToHide, &loop, check, Qt::QueuedConnection);
  check();
  if (chosen_.empty() && (open_ || grace.isActive())) {
    const std::shared_ptr<bool> alive = alive_;
    waiting_ = &loop;
    loop.exec();
    if (!*alive) return {};
    waiting_ = nullptr;
  }
  QObject::disconnect(chosenWatch);
  QObject::disconnect(hiddenWatch);
  return std::exchange(chosen_, std::string());
}

void TrayMenuSession::Deliver(TrayMenu& menu, const std::function<void()>& call) {
  TrayMenu* outer = std::exchange(delivering_, &menu);
  call();
  delivering_ = outer;
}

}  // namespace murvane::qt
