// What the user must know reaches the desktop's notification list (a stand-in
// service, notifications/fake_notifications.py), and a tray that comes after
// that notice still gets the icons (the stand-in panel of tests/qt/panel).
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusReply>
#include <QProcess>

#include "platform/linux/desktop/desktop_notice.h"
#include "platform/linux/desktop/tray_host.h"
#include "support/qt_test_app.h"

namespace murvane::linux_desktop {
namespace {

class DesktopNotices : public ::testing::Test {
 protected:
  void SetUp() override {
    qt::test::CoreApp();
    ASSERT_FALSE(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").isEmpty())
        << "run under dbus-run-session";
  }
  void TearDown() override {
    for (QProcess* process : {&notifications, &panel}) {
      process->kill();
      process->waitForFinished();
    }
  }
  static void Start(QProcess& process, const char* script) {
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("/usr/bin/python3"), {QString::fromUtf8(script)});
  }
  static QStringList Received() {
    const QDBusReply<QStringList> reply =
        QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.Notifications"),
            QStringLiteral("/org/freedesktop/Notifications"), QStringLiteral("org.example.Notices"),
            QStringLiteral("Received")));
    return reply.isValid() ? reply.value() : QStringList{QStringLiteral("no service")};
  }
  QProcess notifications;
  QProcess panel;
};

TEST_F(DesktopNotices, EachNoticeReachesTheListAndTheTrayIsWaitedForPastIt) {
  const SessionFacts gnome{true, false, QStringLiteral("wayland"), QStringLiteral("GNOME")};
  Start(notifications, MURVANE_FAKE_NOTIFICATIONS);
  ASSERT_TRUE(qt::test::RunUntil([] { return Received().isEmpty(); }, 5000));

  ShowDesktopNotice(NoKeySourceNotice(gnome));
  TrayHost host;
  int late = 0;
  host.WaitForHost(100, [&] {
    ++late;
    ShowDesktopNotice(NoTrayNotice(30));
    Start(panel, MURVANE_FAKE_PANEL);  // the user turns the tray on
  });
  EXPECT_EQ(late, 1);
  EXPECT_TRUE(host.Present()) << "the wait ended before a tray was there";

  qt::test::RunUntil([] { return Received().size() == 2; });
  const QStringList received = Received();
  ASSERT_EQ(received.size(), 2) << received.join(u'\n').toStdString();
  EXPECT_TRUE(received[0].startsWith(
      QStringLiteral("Murvane|Murvane non può leggere i tasti di blocco|In questa sessione "
                     "Wayland (GNOME) il compositore non fornisce")))
      << received[0].toStdString();
  EXPECT_TRUE(received[1].contains(QStringLiteral("estensione AppIndicator")))
      << received[1].toStdString();
}

}  // namespace
}  // namespace murvane::linux_desktop
