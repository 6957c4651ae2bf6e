// The normal-file test, the start folder and the shell.
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "platform/qt/system.h"
#include "support/qt_test_app.h"

namespace murvane::qt {
namespace {

TEST(Files, OnlyAnExistingPlainVisibleFileIsNormal) {
  QTemporaryDir dir;
  for (const char* name : {"plain.ico", ".hidden.ico"})
    ASSERT_TRUE(QFile(dir.filePath(name)).open(QIODevice::WriteOnly)) << name;
  const std::pair<const char*, bool> cases[] = {{"plain.ico", true},    {"p*.ico", true},
                                                {".h*", false},         {"missing.ico", false},
                                                {".hidden.ico", false}, {"", false}};
  for (const auto& [name, normal] : cases)
    EXPECT_EQ(QtFileSystem().IsNormalFile(dir.filePath(name).toStdU16String()), normal) << name;
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
  const std::shared_ptr<void> unset(
      nullptr, [](void*) { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); });
  EXPECT_GT(QtShell().Execute(link), 32);
  EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl(QStringLiteral("http://example.com/"))});
}

}  // namespace
}  // namespace murvane::qt

#include "system_test.moc"
