// The desktop over a private session bus (quiet-bus.conf) of the tests' own: whether
// Murvane uses the bus at all, the colour preference read from a desktop portal
// (portal/fake_portal.py) carried through to the pictures in the tray, and the
// notices sent to a notification service (notifications/fake_notifications.py),
// and the on-screen display sent to Plasma's display service (osd/fake_osd.py)
// or to that notification service.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QGuiApplication>
#include <QLocalServer>
#include <QProcess>
#include <QTemporaryDir>

#include "app/application.h"
#include "platform/fake/fake_platform.h"
#include "platform/linux/desktop/bus_display.h"
#include "platform/linux/desktop/colour_scheme.h"
#include "platform/linux/desktop/desktop_notice.h"
#include "platform/linux/desktop/tray_host.h"
#include "platform/linux/session/bus_probe.h"
#include "support/qt_test_app.h"

namespace murvane::linux_desktop {
namespace {

namespace test = qt::test;

constexpr std::int32_t kCapsId = 2;
const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kNotifications = QStringLiteral("org.freedesktop.Notifications");
const QString kPlasmaShell = QStringLiteral("org.kde.plasmashell");

class DesktopBus : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "murvane_linux_bus_tests";
    static char* argv[] = {name, nullptr};
    // A bus of the tests' own that starts no services: a name with no stand-in
    // is absent, whatever the machine has installed.
    static QProcess bus;
    bus.start(QStringLiteral("dbus-daemon"),
              {QStringLiteral("--config-file=" MURVANE_QUIET_BUS), QStringLiteral("--nofork"),
               QStringLiteral("--print-address")});
    if (bus.waitForReadyRead(5000)) qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
    qAddPostRoutine([] { bus.kill(), bus.waitForFinished(); });
    qputenv("QT_QPA_PLATFORM", "offscreen");  // the display's pictures need a QGuiApplication
    static QGuiApplication app(argc, argv);
  }
  void SetUp() override {
    ASSERT_FALSE(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").isEmpty())
        << "run under dbus-run-session";
  }
  void TearDown() override {
    for (QProcess* standIn : {&notifications, &panel, &osdShell}) {
      standIn->kill();
      standIn->waitForFinished();
    }
    StopPortal();
  }
  // Starts a stand-in service and waits until it holds its name on the bus.
  static void StartStandIn(QProcess& process, const QStringList& arguments, const QString& name) {
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral("/usr/bin/python3"), arguments);
    ASSERT_TRUE(Until([&] { return There(name); })) << name.toStdString() << " did not start";
  }
  // The test portal answers color-scheme with `scheme`; a held one answers only
  // when told (Control("Answer")), or never.
  void StartPortal(int scheme, bool held = false) {
    QStringList arguments{QStringLiteral(MURVANE_FAKE_PORTAL), QString::number(scheme)};
    if (held) arguments << QStringLiteral("held");
    StartStandIn(portal, arguments, kPortal);
  }
  void StopPortal() {
    portal.kill();
    portal.waitForFinished();
    ASSERT_TRUE(Until([] { return !There(kPortal); }));
  }
  static void Stop(QProcess& process, const QString& name) {
    process.kill();
    process.waitForFinished();
    ASSERT_TRUE(Until([&] { return !There(name); }));
  }
  static bool There(const QString& name) {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(name).value();
  }
  static void Control(const QString& method, const QVariantList& arguments = {}) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortal, QStringLiteral("/org/freedesktop/portal/desktop"),
                                       QStringLiteral("org.example.PortalControl"), method);
    call.setArguments(arguments);
    ASSERT_EQ(QDBusConnection::sessionBus().call(call).type(), QDBusMessage::ReplyMessage);
  }
  static QStringList NoticesReceived(const QString& name = kNotifications,
                                     const QString& path = "/org/freedesktop/Notifications") {
    const QDBusReply<QStringList> reply = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(name, path, "org.example.Notices", "Received"));
    return reply.value();
  }
  static bool Until(const std::function<bool()>& done) { return test::RunUntil(done, 5000); }
  QProcess portal;
  QProcess notifications;
  QProcess panel;
  QProcess osdShell;
};

// The portal answers only after the icons are up, as one still starting at log-on.
TEST_F(DesktopBus, ThePortalsAnswerAndAnnouncementsFlipTheTrayPictures) {
  StartPortal(1, true);
  DesktopColourScheme scheme({});
  EXPECT_FALSE(scheme.PrefersDark()) << "no answer yet: light, and the start goes on";

  // The program on the fake system, its tray asking the scheme as the Qt tray does.
  fake::FakePlatform sys;
  sys.tray.darkGround = scheme.PrefersDark();
  scheme.OnChange([&] { sys.SetTrayGround(scheme.PrefersDark()); });
  sys.keyboard.Set(0x14, 1);  // Caps Lock on
  Application program(sys.Get());
  program.Start();
  sys.Tick();
  EXPECT_EQ(sys.PictureOf(kCapsId), "CapsLock.on");

  Control(QStringLiteral("Answer"));  // color-scheme 1: prefer dark
  EXPECT_TRUE(Until([&] { return sys.PictureOf(kCapsId) == "CapsLock.on.dark"; }))
      << sys.PictureOf(kCapsId);
  Control(QStringLiteral("SetColorScheme"), {0u});
  EXPECT_TRUE(Until([&] { return sys.PictureOf(kCapsId) == "CapsLock.on"; }))
      << sys.PictureOf(kCapsId);
  program.RemoveIcons();
}

// GNOME's top bar is dark in both of its modes; without an answer nothing is known.
TEST_F(DesktopBus, ThePreferenceByDesktopAndPortal) {
  enum class Portal { None, Answers, NeverAnswers };
  const std::tuple<const char*, Portal, int, bool> table[] = {
      {"ubuntu:GNOME", Portal::None, 0, true},
      {"KDE", Portal::NeverAnswers, 1, false},
      {"ubuntu:GNOME", Portal::Answers, 0, true},
  };
  for (const auto& [desktop, portal, value, dark] : table) {
    if (portal != Portal::None) StartPortal(value, portal == Portal::NeverAnswers);
    DesktopColourScheme scheme(QString::fromLatin1(desktop));
    Until([&] { return scheme.PrefersDark() == dark; });
    EXPECT_EQ(scheme.PrefersDark(), dark) << desktop << " scheme " << value;
    StopPortal();
  }
}

// Murvane goes without a bus that is not there or does not answer, and says why once.
TEST_F(DesktopBus, TheSessionBusIsUsedOnlyWhenItAnswers) {
  const QByteArray live = qgetenv("DBUS_SESSION_BUS_ADDRESS");
  QTemporaryDir folder;
  QLocalServer silent;  // accepts, and never says a word
  ASSERT_TRUE(silent.listen(folder.filePath(QStringLiteral("silent"))));
  const std::tuple<QByteArray, bool, const char*> table[] = {
      {live, true, ""},
      {"unix:path=" + folder.filePath(QStringLiteral("silent")).toUtf8(), false,
       "did not answer within 500 ms"},
  };
  const auto runtime = test::ScopedEnv("XDG_RUNTIME_DIR", folder.path().toUtf8());
  const auto bus = test::ScopedEnv("DBUS_SESSION_BUS_ADDRESS", live);  // put back however this ends
  for (const auto& [address, used, reason] : table) {
    SCOPED_TRACE(address.toStdString());
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    ::testing::internal::CaptureStderr();
    StartSessionBusProbe();
    SettleSessionBus();
    SettleSessionBus();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(HaveSessionBus(), used);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), used ? 0 : 1) << said;
    EXPECT_NE(said.find(reason), std::string::npos) << said;
  }
}

// What the user must know reaches the notification list, and the tray is still
// waited for after its notice: the user may turn it on then.
TEST_F(DesktopBus, EachNoticeReachesTheListAndTheTrayIsWaitedForPastIt) {
  StartStandIn(notifications, {QStringLiteral(MURVANE_FAKE_NOTIFICATIONS)}, kNotifications);
  ShowDesktopNotice(
      NoKeySourceNotice({true, false, QStringLiteral("wayland"), QStringLiteral("GNOME")}));
  TrayHost host;
  int late = 0;
  host.WaitForHost(100, [&] {
    ++late;
    ShowDesktopNotice(NoTrayNotice(30));
    panel.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(MURVANE_FAKE_PANEL)});
  });
  EXPECT_EQ(late, 1);
  EXPECT_TRUE(host.Present()) << "the wait ended before a tray was there";

  Until([] { return NoticesReceived().size() == 2; });
  const QStringList received = NoticesReceived();
  ASSERT_EQ(received.size(), 2) << received.join(u'\n').toStdString();
  EXPECT_TRUE(received[0].startsWith(
      QStringLiteral("Murvane|Murvane non può leggere i tasti di blocco|In questa sessione "
                     "Wayland (GNOME) il compositore non fornisce")))
      << received[0].toStdString();
  EXPECT_TRUE(received[1].contains(QStringLiteral("estensione AppIndicator")))
      << received[1].toStdString();
}

// Plasma's own display where its shell runs, else a notification that replaces
// the last one; with neither, one line on stderr for the whole run.
TEST_F(DesktopBus, TheDisplayGoesToTheDesktopsOwnElseToANotification) {
  qt::QtPictureSource pictures;
  const std::vector<DisplayRow> caps{{pictures.LoadResource("CapsLock.on"), u"CapsLock On"}};
  const std::vector<DisplayRow> two{{pictures.LoadResource("CapsLock.off"), u"CapsLock Off"},
                                    {nullptr, u"NumLock: On"}};
  const QString hints = "|1500|urgency=0 transient=1 image=32x32";
  const std::tuple<bool, bool, QStringList> table[] = {
      {true, true, {"osd|png|CapsLock On", "osd|png|CapsLock Off, NumLock: On"}},
      {false,
       true,
       {"Murvane|CapsLock On||0" + hints, "Murvane|CapsLock Off|NumLock: On|101" + hints}},
      {false, false, {}},
  };
  BusDisplay display(pictures);
  ::testing::internal::CaptureStderr();
  for (const auto& [osd, notices, shown] : table) {
    if (osd) StartStandIn(osdShell, {QStringLiteral(MURVANE_FAKE_OSD)}, kPlasmaShell);
    if (notices)
      StartStandIn(notifications, {QStringLiteral(MURVANE_FAKE_NOTIFICATIONS)}, kNotifications);
    for (const auto* rows : {&caps, &two}) {
      display.Show(*rows);
      Until([&] { return display.Settled(); });
    }
    EXPECT_EQ(NoticesReceived(kPlasmaShell, "/org/kde/osdService") + NoticesReceived(), shown);
    Stop(osdShell, kPlasmaShell);
    Stop(notifications, kNotifications);
  }
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("neither org.kde.osdService nor"), std::string::npos) << said;
}

}  // namespace
}  // namespace murvane::linux_desktop
