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

bool PutFile(const QString& path, const QByteArray& bytes = {}) {
  QFile file(path);
  return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
         file.write(bytes) == bytes.size();
}

// QSettings finds $XDG_CONFIG_HOME once per process, so each case is a program of
// its own under the one test home.
TEST(Settings, RoundTripInTheConfFileAndMalformedOrUnwritableFiles) {
  test::App();
  QtSettingsStore store;
  const std::u16string path = u"/home/anna/icone/caps, \u00e8 acceso.ico";
  EXPECT_EQ(store.Read(u"Polden Software\\Saved", u"Settings", u"CapsLockShow"), u"");
  ASSERT_TRUE(store.Write(u"Polden Software\\Saved", u"Settings", u"CapsLockOnIcon", path));
  EXPECT_EQ(store.Read(u"Polden Software\\Saved", u"Settings", u"CapsLockOnIcon"), path);
  QFile conf(test::ConfigHome() + QStringLiteral("/Polden Software/Saved.conf"));
  ASSERT_TRUE(conf.open(QIODevice::ReadOnly)) << "the file is where the desktop looks for it";
  EXPECT_TRUE(conf.readAll().contains("[Settings]"));

  ASSERT_TRUE(PutFile(test::ConfigHome() + QStringLiteral("/Polden Software/Bad.conf"),
                      "[Settings]\nNumLockShow=a, b, c\n\x01\x02\xff[[[\nScrollLockShow\n"));
  for (const char16_t* name : {u"NumLockShow", u"ScrollLockShow", u"CapsLockShow"})
    EXPECT_EQ(store.Read(u"Polden Software\\Bad", u"Settings", name), u"") << "a list is no text";
  // Root writes into read-only folders, so there a file stands where the folder goes.
  const QString blocked = test::ConfigHome() + QStringLiteral("/Blocked Software");
  ASSERT_TRUE(geteuid() == 0 ? PutFile(blocked) : QDir().mkpath(blocked));
  chmod(QFile::encodeName(blocked).constData(), 0500);
  EXPECT_FALSE(store.Write(u"Blocked Software\\Murvane", u"Settings", u"NumLockShow", u"1"));
}

TEST(Files, OnlyAnExistingPlainVisibleFileIsNormal) {
  QTemporaryDir dir;
  ASSERT_TRUE(PutFile(dir.filePath("plain.ico")) && PutFile(dir.filePath(".hidden.ico")));
  const std::pair<const char*, bool> cases[] = {{"plain.ico", true},    {"p*.ico", true},
                                                {".h*", false},         {"missing.ico", false},
                                                {".hidden.ico", false}, {"", false}};
  for (const auto& [name, normal] : cases)
    EXPECT_EQ(QtFileSystem().IsNormalFile(dir.filePath(name).toStdU16String()), normal) << name;
  EXPECT_FALSE(QtFileSystem().IsNormalFile(u""));
}

TEST(Files, InstalledProgramStartsInTheSharedIconsFolder) {
  QTemporaryDir prefix;
  const QString bin = prefix.filePath("bin"), icons = prefix.filePath("share/murvane/icons");
  ASSERT_TRUE(QDir().mkpath(bin));
  EXPECT_EQ(StartFolderFor(bin), bin) << "no icons installed beside it";
  ASSERT_TRUE(QDir().mkpath(icons));
  EXPECT_EQ(StartFolderFor(bin), icons);
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
  const ShellExecuteRequest link{0, u"open", u"http://example.com/", u"", u"", 1};
  EXPECT_LE(QtShell().Execute(link), 32) << "no browser here: ShellExecute's failure code";
  LinkCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "Open");
  EXPECT_GT(QtShell().Execute(link), 32);
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
  EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl(QStringLiteral("http://example.com/"))});
}

// A socket left by a Murvane that died answers no one and does not count.
TEST(SessionInstance, ALaterStartFindsTheFirstButNotADeadOne) {
  test::App();
  const QString name = QStringLiteral("murvane-test-%1").arg(QCoreApplication::applicationPid());
  ASSERT_TRUE(QtSessionInstance(name).Claim([](InstanceRequest) {}));
  QtSessionInstance first(name), second(name);
  EXPECT_FALSE(first.AskRunning(InstanceRequest::ShowConfiguration)) << "the dead one answers";
  std::vector<InstanceRequest> heard;
  ASSERT_TRUE(first.Claim([&](InstanceRequest r) { heard.push_back(r); }));
  EXPECT_FALSE(second.Claim([](InstanceRequest) {}));
  EXPECT_TRUE(second.AskRunning(InstanceRequest::ShowConfiguration));
  EXPECT_TRUE(second.AskRunning(InstanceRequest::Exit));
  ASSERT_TRUE(test::RunUntil([&] { return heard.size() == 2; }));
  EXPECT_EQ(heard, (std::vector{InstanceRequest::ShowConfiguration, InstanceRequest::Exit}));
}

}  // namespace
}  // namespace murvane::qt

#include "settings_and_system_test.moc"
