// The tray menu on a D-Bus panel: Qt's own StatusNotifierItem and dbusmenu on a
// private session bus, with the whole program behind them, and a stand-in panel
// (panel/fake_panel.py) that sends each item's menu what real panels send.
// Runs under dbus-run-session on an X server, where Qt's tray takes D-Bus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QProcess>

#include "app/application.h"
#include "app/frm_main.h"
#include "platform/fake/fake_platform.h"
#include "platform/qt/text.h"
#include "platform/qt/tray/notification_area.h"
#include "platform/qt/windows/window_system.h"
#include "support/qt_test_app.h"

namespace murvane::qt {
namespace {

const QString kConfiguration = QStringLiteral("Murvane - Configurazione");
const QString kAbout = QStringLiteral("Informazioni su Murvane");

QApplication& XApp() {
  static int argc = 1;
  static char name[] = "murvane_qt_panel_menu_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "xcb");
    qunsetenv("QT_QPA_PLATFORMTHEME");
    QApplication::setQuitOnLastWindowClosed(false);
    return new QApplication(argc, argv);
  }();
  return *app;
}

bool Shown(const QString& title) {
  for (const QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && window->windowTitle() == title) return true;
  }
  return false;
}

// Asked without blocking: the panel calls back into this process's menus.
QDBusMessage AskPanel(const QString& method, const QVariantList& arguments = {}) {
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
      QStringLiteral("org.example.Panel"), method);
  call.setArguments(arguments);
  QDBusPendingCall pending = QDBusConnection::sessionBus().asyncCall(call);
  test::RunUntil([&] { return pending.isFinished(); }, 5000);
  return pending.reply();
}

int Items() {
  const QDBusMessage answer = AskPanel(QStringLiteral("Items"));
  return answer.type() == QDBusMessage::ReplyMessage ? answer.arguments().front().toInt() : -1;
}

void Send(std::initializer_list<std::pair<const char*, const char*>> steps) {
  for (const auto& [key, what] : steps) {
    const QDBusMessage answer = AskPanel(QStringLiteral("Send"), {key, QString::fromUtf8(what)});
    EXPECT_EQ(answer.type(), QDBusMessage::ReplyMessage) << key << " " << what;
  }
}

// GNOME's extension asks every menu for its items as the icons appear and then
// sends only clicks; waybar sends opened, clicked, closed; a panel may leave a
// menu "open" for good. Whatever came before, each click runs its item.
TEST(PanelMenus, EachClickRunsItsItemWhateverThePanelSentBefore) {
  XApp();
  QProcess panel;
  panel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  panel.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(MURVANE_FAKE_PANEL)});
  const auto stop = qScopeGuard([&] {
    panel.kill();
    panel.waitForFinished();
  });
  ASSERT_TRUE(test::RunUntil([] { return Items() == 0; }, 5000))
      << "no stand-in panel: run under dbus-run-session";

  fake::FakePlatform sys;
  WindowRegistry registry;
  TrayMenuSession menus;
  QtPictureSource pictures;
  QtNotificationArea tray{pictures, registry, menus};
  QtWindowSystem windows{registry, pictures, menus};
  Utf8CodePage ansi;
  Platform platform{tray,      ansi,         sys.keyboard,   sys.settings,
                    sys.files, pictures,     sys.fileDialog, sys.shell,
                    windows,   sys.instance, sys.display,    sys.Get().identity};
  Application program(platform);
  ASSERT_EQ(program.Start(), StartOutcome::Running);
  const std::int32_t main = registry.Handles().front();
  ASSERT_TRUE(test::RunUntil([] { return Items() == 3; }, 5000));

  Send({{"ScrollLock", "abouttoshow"}, {"NumLock", "abouttoshow"}, {"CapsLock", "abouttoshow"}});
  Send({{"CapsLock", "_Configura..."}});
  EXPECT_TRUE(test::RunUntil([] { return Shown(kConfiguration); }));
  Send({{"NumLock", "opened"}, {"NumLock", "_Su..."}, {"NumLock", "closed"}});
  EXPECT_TRUE(test::RunUntil([] { return Shown(kAbout); }));
  Send({{"ScrollLock", "opened"}, {"CapsLock", "_Esci"}});
  EXPECT_TRUE(test::RunUntil([&] { return !program.Main().IsLoaded(); }));
  for (const std::int32_t id : {1, 2, 3}) EXPECT_EQ(tray.Find(main, id), nullptr) << id;
}

}  // namespace
}  // namespace murvane::qt
