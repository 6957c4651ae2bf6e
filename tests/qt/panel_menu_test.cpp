// The tray menu on a D-Bus panel: Qt's own StatusNotifierItem and dbusmenu on a
// private session bus, with the whole program behind them, and a stand-in panel
// (panel/fake_panel.py) that sends each item's menu what real panels send.
// Runs under dbus-run-session on an X server, where Qt's tray takes D-Bus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
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

class PanelMenus : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").isEmpty())
        << "run under dbus-run-session";
    XApp();
    panel.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    panel.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(MURVANE_FAKE_PANEL)});
    ASSERT_TRUE(test::RunUntil([] { return Ask<int>("Items").isValid(); }, 5000))
        << "the stand-in panel did not start";
  }
  void TearDown() override {
    panel.kill();
    panel.waitForFinished();
  }

  // Asked without blocking: the panel calls back into this process's menus.
  template <typename T = void>
  static QDBusPendingReply<T> Ask(const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.example.Panel"), method);
    call.setArguments(arguments);
    QDBusPendingReply<T> reply = QDBusConnection::sessionBus().asyncCall(call);
    test::RunUntil([&] { return reply.isFinished(); }, 5000);
    return reply;
  }
  static void Send(const char* key, const char* what) {
    const auto reply = Ask("Send", {QString::fromLatin1(key), QString::fromUtf8(what)});
    EXPECT_FALSE(reply.isError()) << key << " " << what << ": "
                                  << reply.error().message().toStdString();
  }

  QProcess panel;
  fake::FakePlatform sys;
  WindowRegistry registry;
  TrayMenuSession menus;
  QtPictureSource pictures;
  QtNotificationArea tray{pictures, registry, menus};
  QtWindowSystem windows{registry, pictures, menus};
  Utf8CodePage ansi;
  Platform platform{tray,      ansi,         sys.keyboard,      sys.settings,
                    sys.files, pictures,     sys.fileDialog,    sys.shell,
                    windows,   sys.instance, sys.Get().identity};
};

// GNOME's extension asks every menu for its items as the icons appear and then
// sends only clicks; waybar sends opened, clicked, closed; a panel may leave a
// menu "open" for good. Whatever came before, each click runs its item.
TEST_F(PanelMenus, EachClickRunsItsItemWhateverThePanelSentBefore) {
  Application program(platform);
  ASSERT_EQ(program.Start(), StartOutcome::Running);
  const std::int32_t main = registry.Handles().front();
  ASSERT_TRUE(test::RunUntil([] { return Ask<int>("Items").value() == 3; }, 5000));
  for (const char* key : {"ScrollLock", "NumLock", "CapsLock"}) Send(key, "abouttoshow");

  Send("CapsLock", "_Configura...");
  EXPECT_TRUE(test::RunUntil([] { return Shown(kConfiguration); }));

  Send("NumLock", "opened");
  Send("NumLock", "_Su...");
  Send("NumLock", "closed");
  EXPECT_TRUE(test::RunUntil([] { return Shown(kAbout); }));

  Send("ScrollLock", "opened");  // and never closed
  Send("CapsLock", "_Esci");
  EXPECT_TRUE(test::RunUntil([&] { return !program.Main().IsLoaded(); }));
  for (const std::int32_t id : {1, 2, 3}) EXPECT_EQ(tray.Find(main, id), nullptr) << id;
}

}  // namespace
}  // namespace murvane::qt
