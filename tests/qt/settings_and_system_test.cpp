// Settings in QSettings' file, the normal-file test, the start folder, the
// shell and the one-per-session claim.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "platform/qt/session_instance_qt.h"
#include "platform/qt/settings_qt.h"
#include "platform/qt/system_qt.h"
#include "support/qt_test_app.h"

namespace murvane::qt {
namespace {

// QSettings finds $XDG_CONFIG_HOME once per process, so each case has its own
// application name under the one test home.
class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    test::App();
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    program = QString::fromLatin1(test->name());
    app = (QStringLiteral("Polden Software\\") + program).toStdU16String();
  }
  QString Folder() const { return test::ConfigHome() + QStringLiteral("/Polden Software"); }
  QString File() const { return Folder() + QLatin1Char('/') + program + QStringLiteral(".conf"); }
  QString program;
  std::u16string app;
  QtSettingsStore store;
};

TEST_F(Settings, WrittenValuesReadBackFromTheConfFile) {
  EXPECT_EQ(store.Read(app, u"Settings", u"CapsLockShow"), u"") << "absent reads empty";
  const std::u16string path = u"/home/anna/icone/caps, \u00e8 acceso.ico";
  ASSERT_TRUE(store.Write(app, u"Settings", u"CapsLockShow", u"0"));
  ASSERT_TRUE(store.Write(app, u"Settings", u"CapsLockOnIcon", path));
  EXPECT_EQ(store.Read(app, u"Settings", u"CapsLockShow"), u"0");
  EXPECT_EQ(store.Read(app, u"Settings", u"CapsLockOnIcon"), path);
  QFile file(File());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the file is where the desktop looks for it";
  EXPECT_TRUE(file.readAll().contains("[Settings]"));
}

// Root writes into read-only folders, so there a file stands where the folder goes.
TEST_F(Settings, AWriteThatCannotReachTheDiskFails) {
  const QString blocked = test::ConfigHome() + QStringLiteral("/Blocked Software");
  if (geteuid() == 0) {
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  } else {
    ASSERT_TRUE(QDir().mkpath(blocked));
    chmod(QFile::encodeName(blocked).constData(), 0500);
  }
  EXPECT_FALSE(store.Write(u"Blocked Software\\Murvane", u"Settings", u"NumLockShow", u"1"));
}

TEST_F(Settings, AMalformedFileReadsAsAbsentValues) {
  ASSERT_TRUE(QDir().mkpath(Folder()));
  QFile file(File());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Settings]\nNumLockShow=a, b, c\n\x01\x02\xff[[[\nScrollLockShow\n");
  file.close();
  EXPECT_EQ(store.Read(app, u"Settings", u"NumLockShow"), u"") << "a list is no text of ours";
  EXPECT_EQ(store.Read(app, u"Settings", u"ScrollLockShow"), u"");
  EXPECT_EQ(store.Read(app, u"Settings", u"CapsLockShow"), u"");
}

TEST(Files, OnlyAnExistingPlainVisibleFileIsNormal) {
  QTemporaryDir dir;
  for (const char* name : {"plain.ico", ".hidden.ico"}) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QtFileSystem files;
  auto path = [&](const char* name) {
    return dir.filePath(QString::fromLatin1(name)).toStdU16String();
  };
  EXPECT_TRUE(files.IsNormalFile(path("plain.ico")));
  EXPECT_TRUE(files.IsNormalFile(path("p*.ico"))) << "a pattern that matches a file counts";
  EXPECT_FALSE(files.IsNormalFile(path(".h*")));
  EXPECT_FALSE(files.IsNormalFile(path(".hidden.ico")));
  EXPECT_FALSE(files.IsNormalFile(path("missing.ico")));
  EXPECT_FALSE(files.IsNormalFile(dir.path().toStdU16String())) << "a folder";
  EXPECT_FALSE(files.IsNormalFile(u""));
}

TEST(Files, InstalledProgramStartsInTheSharedIconsFolder) {
  QTemporaryDir prefix;
  ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
  const QString bin = prefix.filePath(QStringLiteral("bin"));
  EXPECT_EQ(StartFolderFor(bin), bin) << "no icons installed beside it";
  ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/murvane/icons")));
  EXPECT_EQ(StartFolderFor(bin), prefix.filePath(QStringLiteral("share/murvane/icons")));
  EXPECT_EQ(StartFolderFor(prefix.path()), prefix.path()) << "a build folder is its own";
}

class LinkCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public Q_SLOTS:
  void Open(const QUrl& url) { opened.append(url); }
};

TEST(Shell, TheLinkGoesToTheDesktopsHandlerAndItsAbsenceIsQuiet) {
  test::App();
  QtShell shell;
  const ShellExecuteRequest link{0, u"open", u"http://example.com/", u"", u"", 1};
  EXPECT_LE(shell.Execute(link), 32) << "no browser here: ShellExecute's failure code";
  LinkCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "Open");
  EXPECT_GT(shell.Execute(link), 32);
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
  EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl(QStringLiteral("http://example.com/"))});
}

TEST(SessionInstance, ALaterStartFindsTheFirstAndItsRequestsArrive) {
  test::App();
  const QString name = QStringLiteral("murvane-test-%1").arg(QCoreApplication::applicationPid());
  QtSessionInstance first(name), second(name);
  std::vector<InstanceRequest> heard;
  ASSERT_TRUE(first.Claim([&](InstanceRequest r) { heard.push_back(r); }));
  EXPECT_FALSE(second.Claim([](InstanceRequest) {}));
  EXPECT_TRUE(second.AskRunning(InstanceRequest::ShowConfiguration));
  EXPECT_TRUE(second.AskRunning(InstanceRequest::Exit));
  ASSERT_TRUE(test::RunUntil([&] { return heard.size() == 2; }));
  EXPECT_EQ(heard, (std::vector{InstanceRequest::ShowConfiguration, InstanceRequest::Exit}));
}

TEST(SessionInstance, ASocketLeftByADeadMurvaneDoesNotCount) {
  test::App();
  const QString name = QStringLiteral("murvane-stale-%1").arg(QCoreApplication::applicationPid());
  {
    QtSessionInstance died(name);
    ASSERT_TRUE(died.Claim([](InstanceRequest) {}));
  }
  QtSessionInstance next(name);
  EXPECT_FALSE(next.AskRunning(InstanceRequest::ShowConfiguration)) << "no one answers";
  EXPECT_TRUE(next.Claim([](InstanceRequest) {}));
}

}  // namespace
}  // namespace murvane::qt

#include "settings_and_system_test.moc"
