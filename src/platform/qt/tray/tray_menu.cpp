#include "platform/qt/tray/tray_menu.h"

#include <QEventLoop>
#include <QTimer>
#include <utility>

#include "platform/qt/text.h"

namespace murvane::qt {
namespace {

// Some panels report the menu closed before the click on its item arrives.
constexpr int kClickAfterCloseMs = 300;

bool Holds(const QMenu& menu, const MenuDesc& desc) {
  const QList<QAction*> actions = menu.actions();
  if (actions.size() != static_cast<qsizetype>(desc.items.size())) return false;
  for (qsizetype i = 0; i < actions.size(); ++i) {
    const MenuItemDesc& item = desc.items[static_cast<std::size_t>(i)];
    if (actions[i]->data().toString().toStdString() != item.name) return false;
    if (!actions[i]->isSeparator() && actions[i]->text() != ToQString(item.caption)) return false;
  }
  return true;
}

}  // namespace

void FillMenu(QMenu& menu, const MenuDesc& desc) {
  if (Holds(menu, desc)) return;
  menu.clear();
  for (const MenuItemDesc& item : desc.items) {
    QAction* action =
        item.caption == u"-" ? menu.addSeparator() : menu.addAction(ToQString(item.caption));
    action->setData(QString::fromStdString(item.name));
  }
}

TrayMenu::TrayMenu() : menu_(new QMenu) {
  QObject::connect(menu_, &QMenu::triggered, menu_,
                   [this](QAction* action) { chosen_ = action->data().toString().toStdString(); });
  QObject::connect(menu_, &QMenu::aboutToHide, menu_, [this] { open_ = false; });
}

// An icon deleted while the program waits on its menu (the program ended from
// elsewhere) ends that wait with nothing chosen.
TrayMenu::~TrayMenu() {
  *alive_ = false;
  if (waiting_) waiting_->quit();
  menu_->disconnect();
  menu_->hide();
  menu_->deleteLater();
}

void TrayMenu::Opened() {
  open_ = true;
  chosen_.clear();
}

std::string TrayMenu::WaitForChoice() {
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
