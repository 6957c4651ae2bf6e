// The menu a tray icon opens, on the two kinds of panel Qt serves:
// - XEmbed: Qt shows the menu itself on the right button. The program hears the
//   right button as the menu shows, and its pop-up call waits on that menu.
// - D-Bus (StatusNotifierItem): the panel owns the menu. It reads the items when
//   it likes, and sends "opened", "clicked" and "closed" only as it chooses
//   (GNOME's asks for the items of every icon as it appears, and says nothing
//   more). So there only a click on an item stands for the right button: the
//   program hears it then, and its pop-up call returns that item at once.
//   Nothing ever waits on a panel.
#pragma once

#include <QMenu>
#include <functional>
#include <memory>
#include <string>

#include "forms/form_desc.h"

class QEventLoop;

namespace murvane::qt {

// Puts the menu's items into `menu` unless it holds exactly those already, so a
// panel that has the menu is not told of a change that is none.
void FillMenu(QMenu& menu, const MenuDesc& desc);

class TrayMenu {
 public:
  // rightButton runs, inside Qt's signal, when the program should hear the
  // right button: the menu shown here, or an item clicked in a panel's menu.
  explicit TrayMenu(std::function<void()> rightButton = {});
  ~TrayMenu();
  TrayMenu(const TrayMenu&) = delete;
  TrayMenu& operator=(const TrayMenu&) = delete;

  QMenu& Menu();
  // The item's name, or empty: a panel's click at once; a menu shown here once
  // an item was chosen or it closed.
  std::string WaitForChoice();

 private:
  class ShownMenu;

  void ShownHere();
  void Chosen(std::string name);
  std::string WaitOnShownMenu();

  ShownMenu* menu_;  // deleted later: it may be inside one of its own signals
  std::function<void()> rightButton_;
  QEventLoop* waiting_ = nullptr;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool shownHere_ = false;
  bool open_ = false;
  std::string chosen_;
  std::string panelChoice_;
};

// Which tray menu the program's right-button message stands for, while the
// tray delivers that message.
class TrayMenuSession {
 public:
  TrayMenu* Delivering() const { return delivering_; }
  void Deliver(TrayMenu& menu, const std::function<void()>& call);

 private:
  TrayMenu* delivering_ = nullptr;
};

}  // namespace murvane::qt
