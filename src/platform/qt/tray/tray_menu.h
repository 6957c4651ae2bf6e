// The menu a tray icon opens. Qt shows it itself (XEmbed) or hands it to the
// panel over D-Bus, so it must hold the program's items before it opens; the
// program's PopupMenu then fills it again if its items differ and waits on it.
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
  TrayMenu();
  ~TrayMenu();
  TrayMenu(const TrayMenu&) = delete;
  TrayMenu& operator=(const TrayMenu&) = delete;

  QMenu& Menu() { return *menu_; }
  // Called as the menu opens: nothing is chosen yet.
  void Opened();
  // Returns once an item was chosen or the menu closed: the item's name, or empty.
  std::string WaitForChoice();

 private:
  QMenu* menu_;  // deleted later: it may be inside one of its own signals
  QEventLoop* waiting_ = nullptr;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool open_ = false;
  std::string chosen_;
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
