// The desktop's colour preference, read from a desktop portal on a private
// session bus (run under dbus-run-session; the portal is portal/fake_portal.py),
// and carried through to the pictures the program puts in the tray.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>

#include "app/application.h"
#include "platform/fake/fake_platform.h"
#include "platform/linux/desktop/colour_scheme.h"
#include "support/qt_test_app.h"

namespace murvane::linux_desktop {
namespace {

namespace test = qt::test;

constexpr std::int32_t kCapsId = 2;
const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");

class ColourScheme : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "murvane_qt_colour_scheme_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
  }
  void SetUp() override {
    ASSERT_FALSE(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").isEmpty())
        << "run under dbus-run-session";
    qunsetenv("XDG_CURRENT_DESKTOP");
  }
  void TearDown() override {
    portal.kill();
    portal.waitForFinished();
  }
  // Starts the test portal answering color-scheme with `scheme`.
  void StartPortal(int scheme) {
    portal.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(MURVANE_FAKE_PORTAL), QString::number(scheme)});
    ASSERT_TRUE(Until([] {
      return QDBusConnection::sessionBus().interface()->isServiceRegistered(kPortal).value();
    })) << "the test portal did not start";
  }
  static void SetPortalScheme(uint scheme) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        kPortal, QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.example.PortalControl"), QStringLiteral("SetColorScheme"));
    call << scheme;
    ASSERT_EQ(QDBusConnection::sessionBus().call(call).type(), QDBusMessage::ReplyMessage);
  }
  static bool Until(const std::function<bool()>& done) { return test::RunUntil(done, 5000); }
  QProcess portal;
};

TEST_F(ColourScheme, PortalPreferenceFlipsTheTrayPicturesBothWays) {
  StartPortal(1);
  DesktopColourScheme scheme;
  EXPECT_TRUE(scheme.PrefersDark()) << "color-scheme 1: prefer dark";

  // The program on the fake system, its tray asking the scheme as the Qt tray does.
  fake::FakePlatform sys;
  sys.tray.darkGround = scheme.PrefersDark();
  scheme.OnChange([&] { sys.SetTrayGround(scheme.PrefersDark()); });
  sys.keyboard.Set(0x14, 1);  // Caps Lock on
  Application program(sys.Get());
  program.Start();
  sys.Tick();
  EXPECT_EQ(sys.PictureOf(kCapsId), "CapsLock.on.dark");

  SetPortalScheme(0);
  EXPECT_TRUE(Until([&] { return sys.PictureOf(kCapsId) == "CapsLock.on"; }))
      << sys.PictureOf(kCapsId);
  EXPECT_FALSE(scheme.PrefersDark());
  SetPortalScheme(1);
  EXPECT_TRUE(Until([&] { return sys.PictureOf(kCapsId) == "CapsLock.on.dark"; }))
      << sys.PictureOf(kCapsId);
  program.RemoveIcons();
}

// GNOME's top bar is dark in both of its modes; without a portal nothing is known.
TEST_F(ColourScheme, NoPortalIsLightAndAGnomeSessionIsDark) {
  EXPECT_FALSE(DesktopColourScheme().PrefersDark());
  qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
  EXPECT_TRUE(DesktopColourScheme().PrefersDark());
  StartPortal(0);
  EXPECT_TRUE(DesktopColourScheme().PrefersDark());
  qputenv("XDG_CURRENT_DESKTOP", "KDE");
  EXPECT_FALSE(DesktopColourScheme().PrefersDark());
}

}  // namespace
}  // namespace murvane::linux_desktop
