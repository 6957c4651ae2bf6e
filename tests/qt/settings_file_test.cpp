// The settings file: what earlier versions (QSettings) wrote reads back, a save
// is one whole write that never leaves the file half written or empty, and a
// damaged file reads as no values until the next save replaces it.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QSettings>

#include "platform/qt/settings/settings_store.h"
#include "support/qt_test_app.h"

namespace murvane::qt {
namespace {

const std::u16string kSection = u"Settings";
const std::u16string kNames[] = {u"CapsLockShow",   u"CapsLockOnIcon",   u"CapsLockOffIcon",
                                 u"NumLockShow",    u"NumLockOnIcon",    u"NumLockOffIcon",
                                 u"ScrollLockShow", u"ScrollLockOnIcon", u"ScrollLockOffIcon"};

QString ConfPath(const QString& organisation, const QString& program = QStringLiteral("Murvane")) {
  return test::ConfigHome() + QLatin1Char('/') + organisation + QLatin1Char('/') + program +
         QStringLiteral(".conf");
}

std::u16string App(const QString& organisation) {
  return (organisation + QStringLiteral("\\Murvane")).toStdU16String();
}

bool PutFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
         file.write(bytes) == bytes.size();
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Chiudi's save: the nine values in one go.
bool SaveNine(QtSettingsStore& store, const std::u16string& app, const std::u16string& value) {
  store.BeginWrites();
  for (const std::u16string& name : kNames) store.Write(app, kSection, name, name + value);
  return store.EndWrites();
}

void ExpectNine(QtSettingsStore& store, const std::u16string& app, const std::u16string& value) {
  for (const std::u16string& name : kNames)
    EXPECT_EQ(store.Read(app, kSection, name), name + value)
        << QString::fromStdU16String(name).toStdString();
}

// Texts that need QSettings' quoting or escapes, both ways between QSettings and the store.
TEST(SettingsFile, TextsRoundTripAndEarlierVersionsFilesReadAlike) {
  test::App();
  QtSettingsStore store;
  const std::u16string texts[] = {u"/home/anna/icone/caps, \u00e8 acceso.ico",
                                  u"@home/x.ico",
                                  u" spaced ",
                                  u"a;b=c",
                                  u"tab\there \"quoted\" back\\slash",
                                  u"\x01"
                                  u"1f\n",
                                  u"(Default)",
                                  u""};
  int n = 0;
  for (const std::u16string& text : texts) {
    SCOPED_TRACE(QString::fromStdU16String(text).toStdString());
    const QString ours = QStringLiteral("Ours%1").arg(n),
                  theirs = QStringLiteral("Theirs%1").arg(n++);
    ASSERT_TRUE(store.Write(App(ours), kSection, u"NumLockOffIcon", text));
    EXPECT_EQ(store.Read(App(ours), kSection, u"NumLockOffIcon"), text);
    EXPECT_EQ(QSettings(ConfPath(ours), QSettings::IniFormat).value("Settings/NumLockOffIcon"),
              QString::fromStdU16String(text))
        << "an earlier version reads what this one wrote";
    {
      QSettings earlier(ConfPath(theirs), QSettings::IniFormat);  // the native format here
      earlier.setValue("Settings/NumLockOffIcon", QString::fromStdU16String(text));
      earlier.setValue("Other/Kept", QStringLiteral("yes"));
    }
    EXPECT_EQ(store.Read(App(theirs), kSection, u"NumLockOffIcon"), text);
    ASSERT_TRUE(store.Write(App(theirs), kSection, u"NumLockShow", u"0"));
    EXPECT_EQ(store.Read(App(theirs), u"Other", u"Kept"), u"yes") << "a sound file keeps the rest";
  }
  EXPECT_TRUE(FileBytes(ConfPath("Ours0")).startsWith("[Settings]\n"));
}

// Each damage reads as no values, for every reader alike; one save then
// replaces it. A byte-order mark and CRLF line ends are no damage.
TEST(SettingsFile, ADamagedFileReadsAsEmptyAndTheNextSaveReplacesIt) {
  test::App();
  QtSettingsStore store;
  const std::pair<const char*, QByteArray> damages[] = {
      {"a broken first line", "\"oops\n[Settings]\nNumLockShow=0\n"},
      {"binary garbage", QByteArray("\x00\x13\xff\xfe", 4) + "\n[Settings]\nNumLockShow=0\n"},
      {"an unclosed section", "[Broken\n[Settings]\nNumLockShow=0\n"},
      {"not UTF-8", "[Settings]\nNumLockShow=0\nNumLockOnIcon=\xe8.ico\n"},
      {"far too large", "[Settings]\nNumLockShow=0\n" + QByteArray(1100 * 1024, ';')},
  };
  for (const auto& [what, bytes] : damages) {
    SCOPED_TRACE(what);
    const QString organisation = QStringLiteral("Damaged %1").arg(what);
    ASSERT_TRUE(PutFile(ConfPath(organisation), bytes));
    for (int reader = 0; reader < 2; ++reader) {
      EXPECT_EQ(QtSettingsStore().Read(App(organisation), kSection, u"NumLockShow"), u"");
    }
    EXPECT_TRUE(SaveNine(store, App(organisation), u"1"));
    ExpectNine(store, App(organisation), u"1");
    EXPECT_LT(FileBytes(ConfPath(organisation)).size(), 1024);
  }
  ASSERT_TRUE(PutFile(ConfPath("Windows Editor"),
                      "\xEF\xBB\xBF[Settings]\r\nNumLockShow=0\r\nNumLockOnIcon=\xc3\xa8.ico\r\n"));
  EXPECT_EQ(store.Read(App("Windows Editor"), kSection, u"NumLockShow"), u"0");
  EXPECT_EQ(store.Read(App("Windows Editor"), kSection, u"NumLockOnIcon"), u"\u00e8.ico");
  EXPECT_TRUE(SaveNine(store, App("Windows Editor"), u"2"));
  ExpectNine(store, App("Windows Editor"), u"2");
  ASSERT_TRUE(
      PutFile(ConfPath("Lists"), "[Settings]\nNumLockShow=a, b\nNumLockOnIcon=@Invalid()\n"));
  EXPECT_EQ(store.Read(App("Lists"), kSection, u"NumLockShow"), u"") << "a list is no text";
  EXPECT_EQ(store.Read(App("Lists"), kSection, u"NumLockOnIcon"), u"") << "nor a typed value";
}

// A small disk of its own: a tmpfs mounted where the settings folder goes.
class SmallDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    test::App();
    if (geteuid() != 0) GTEST_SKIP() << "mounting a small disk needs root";
    ASSERT_TRUE(QDir().mkpath(folder));
    if (mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=8k") != 0)
      GTEST_SKIP() << "this machine refuses mounts: " << std::strerror(errno);
    mounted = true;
    ASSERT_TRUE(SaveNine(store, App(kOrganisation), u"good"));
    good = FileBytes(ConfPath(kOrganisation));
  }
  void TearDown() override {
    if (mounted) umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
  }
  static constexpr const char* kOrganisation = "Small Disk";
  const QString folder = test::ConfigHome() + QStringLiteral("/Small Disk");
  QtSettingsStore store;
  QByteArray good;
  bool mounted = false;
};

TEST_F(SmallDisk, AFullDiskFailsTheSaveAndKeepsTheOldFileWhole) {
  QFile filler(folder + QStringLiteral("/filler"));
  ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
  while (filler.write(QByteArray(512, 'x')) == 512) {
  }
  EXPECT_FALSE(SaveNine(store, App(kOrganisation), u"new"));
  EXPECT_EQ(FileBytes(ConfPath(kOrganisation)), good);
  QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
  left.sort();
  EXPECT_EQ(left, (QStringList{"Murvane.conf", "filler"})) << "no half-written copy stays";
  filler.remove();
  EXPECT_TRUE(SaveNine(store, App(kOrganisation), u"new")) << "with room again it saves";
  ExpectNine(store, App(kOrganisation), u"new");
}

TEST_F(SmallDisk, AnUnwritableFolderFailsTheSaveAndKeepsTheOldFile) {
  ASSERT_EQ(mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                  "size=8k"),
            0);
  EXPECT_FALSE(SaveNine(store, App(kOrganisation), u"new"));
  EXPECT_FALSE(store.Write(App(kOrganisation), kSection, u"NumLockShow", u"0"));
  EXPECT_EQ(FileBytes(ConfPath(kOrganisation)), good);
}

}  // namespace
}  // namespace murvane::qt
