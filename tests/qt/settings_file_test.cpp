// The settings file: a file edited by hand or written by earlier versions
// (QSettings) reads as QSettings reads it, anything written reads back exactly by
// both, a save keeps what it cannot carry over in Murvane.conf.bak, and a save is
// one whole write that never leaves the file half written or empty.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <map>
#include <tuple>
#include <vector>

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

QString ConfPath(const QString& organisation) {
  return test::ConfigHome() + QLatin1Char('/') + organisation + QStringLiteral("/Murvane.conf");
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

// What the store reads for a value QSettings holds: its text, or nothing.
std::u16string AsText(const QVariant& value) {
  return value.typeId() == QMetaType::QString ? value.toString().toStdU16String() : u"";
}

// Every key QSettings reads in the file, with its value and type.
std::map<std::string, std::string> QSettingsKeys(const QString& path) {
  QSettings settings(path, QSettings::IniFormat);
  std::map<std::string, std::string> keys;
  for (const QString& key : settings.allKeys()) {
    const QVariant value = settings.value(key);
    keys[key.toStdString()] = (value.isValid() ? value.typeName() : "invalid") +
                              (": " + value.toStringList().join(u'|').toStdString());
  }
  return keys;
}

// Each file is read by the store and by QSettings alike, stderr hears once of
// lines skipped, and a save keeps every key read (and the old file when lines were skipped).
TEST(SettingsFile, HandEditedFilesReadAsQSettingsReadsThem) {
  test::App();
  const std::tuple<int, const char*, QByteArray> files[] = {
      {0, "comment after ]", "[Settings] ; mine\nCapsLockShow=0\n"},
      {0, "Latin-1", "[Settings]\n; nota \xe8 mia\nCapsLockShow=0\nI=\xe8.ico\n\xe8=1\n"},
      {0, "\\r line ends", "[Settings]\rCapsLockShow=0\rNumLockShow=0\r"},
      {1, "a stray line", "[Settings]\nstray line\nCapsLockShow=0\n"},
      {0, "BOM, CRLF, tabs",
       "\xEF\xBB\xBF[Settings]\r\n\tCapsLockShow\t=\t0 \t\r\nK = \" s \"\r\n"},
      {0, "no section", "top=1\n[Settings]\nCapsLockShow=0\n[General]\ng=2\n[%General]\nG=3\n"},
      {2, "after ], #", "[Broken\nk=1\n[Settings]junk\n#CapsLockShow=1\n# note\nCapsLockShow=0\n"},
      {0, "ends in a backslash", "[Settings]\nNumLockShow=0\nB=x  \\"},
      {0, "ends in quotes", "[Settings]\nNumLockShow=0\nB=\"x\n"},
  };
  int n = 0;
  for (const auto& [skipped, what, bytes] : files) {
    SCOPED_TRACE(what);
    const QString organisation = QStringLiteral("Edited %1").arg(n++),
                  path = ConfPath(organisation);
    ASSERT_TRUE(PutFile(path, bytes));
    QtSettingsStore store;
    QSettings earlier(path, QSettings::IniFormat);
    std::map<std::string, std::string> keys = QSettingsKeys(path);
    testing::internal::CaptureStderr();
    EXPECT_EQ(store.Read(App(organisation), kSection, u"Missing"), u"");
    for (const QString& key : earlier.allKeys()) {
      const qsizetype slash = key.indexOf(u'/');
      if (slash == key.size() - 1) continue;  // a key with no name QSettings cannot reach
      EXPECT_EQ(
          store.Read(App(organisation), key.left(std::max<qsizetype>(slash, 0)).toStdU16String(),
                     key.mid(slash + 1).toStdU16String()),
          AsText(earlier.value(key)))
          << key.toStdString();
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), skipped ? 1 : 0) << said;
    EXPECT_NE(
        said.find(skipped ? path.toStdString() + ": skipped " + std::to_string(skipped) + " line"
                          : ""),
        std::string::npos);
    ASSERT_TRUE(store.Write(App(organisation), kSection, u"CapsLockShow", u"12"));
    keys["Settings/CapsLockShow"] = "QString: 12";  // a new size: QSettings caches by size and time
    EXPECT_EQ(QSettingsKeys(path), keys);
    EXPECT_EQ(FileBytes(path + ".bak"), skipped ? bytes : "(missing)");
  }
}

// The copy is of the file a save replaces, and a save that cannot make it fails
// and leaves the file alone. Only a file over 1 MB reads as no values.
TEST(SettingsFile, AFileTooLargeReadsAsNoValuesAndASaveCopiesItFirstOrFails) {
  test::App();
  QtSettingsStore store;
  const QByteArray values = "[Settings]\nCapsLockShow=0\n";
  ASSERT_TRUE(PutFile(ConfPath("Large"), values + QByteArray(1024 * 1024 - values.size(), ';')));
  EXPECT_EQ(store.Read(App("Large"), kSection, u"CapsLockShow"), u"0") << "1 MB reads";
  const QByteArray large = values + QByteArray(1024 * 1024, ';');
  ASSERT_TRUE(PutFile(ConfPath("Large"), large));
  EXPECT_EQ(store.Read(App("Large"), kSection, u"CapsLockShow"), u"");
  ASSERT_TRUE(QDir().mkpath(ConfPath("Large") + ".bak/in the way"));
  EXPECT_FALSE(SaveNine(store, App("Large"), u"1"));
  EXPECT_EQ(FileBytes(ConfPath("Large")), large);
  ASSERT_TRUE(QDir(ConfPath("Large") + ".bak").removeRecursively());
  EXPECT_TRUE(SaveNine(store, App("Large"), u"1"));
  ExpectNine(store, App("Large"), u"1");
  EXPECT_EQ(FileBytes(ConfPath("Large") + ".bak"), large);
}

// Written by the store or by an earlier version, every text reads back as it was,
// as a value, a key and a section name, by both readers.
TEST(SettingsFile, AnyTextReadsBackExactlyAsValueKeyAndSectionName) {
  test::App();
  QtSettingsStore store;
  const std::u16string controls{u'\1', u'1', u'f', u'\0', u'7'},
      path = u"/home/anna/" + std::u16string(2980, u'\u00e8') + u".ico";
  // clang-format off
  const std::u16string texts[] = {
      u"\u00a0no-break\u00a0", u"\u3000ideographic\u3000", u"\u2028separator\u2028", u" spaced ",
      u"\t tab", u"a=b;c#d,e", u"[Settings]", u"\"quoted\" 'single' \"", u"back\\slash\\",
      u"new\nline\r\n", u"%41%U00e8", u"@home", u"@String(x)", u"General", u"\u00e8 \U0001F600",
      controls, path};
  // clang-format on
  int n = 0;
  for (const std::u16string& text : texts) {
    SCOPED_TRACE(QString::fromStdU16String(text).left(40).toStdString());
    std::vector<std::array<std::u16string, 3>> places = {{kSection, u"Value", text}};
    if (text.find(u'/') == std::u16string::npos)  // in a name, "/" parts QSettings' groups
      places.insert(places.end(), {{kSection, text, u"key"}, {text, u"Name", u"section"}});
    const QString ours = QStringLiteral("Ours %1").arg(n),
                  theirs = QStringLiteral("Theirs %1").arg(n++);
    store.BeginWrites();
    for (const auto& [section, name, value] : places) store.Write(App(ours), section, name, value);
    ASSERT_TRUE(store.EndWrites());
    {
      QSettings earlier(ConfPath(theirs), QSettings::IniFormat);  // the native format here
      for (const auto& [section, name, value] : places)
        earlier.setValue(QString::fromStdU16String(section + u'/' + name),
                         QString::fromStdU16String(value));
    }
    for (const QString& organisation : {ours, theirs}) {
      QSettings settings(ConfPath(organisation), QSettings::IniFormat);
      for (const auto& [section, name, value] : places) {
        EXPECT_EQ(store.Read(App(organisation), section, name), value)
            << organisation.toStdString();
        EXPECT_EQ(AsText(settings.value(QString::fromStdU16String(section + u'/' + name))), value);
      }
    }
  }
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

TEST_F(SmallDisk, AFullDiskOrAReadOnlyOneFailsTheSaveAndKeepsTheOldFileWhole) {
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
  good = FileBytes(ConfPath(kOrganisation));
  ASSERT_EQ(mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                  "size=8k"),
            0);
  EXPECT_FALSE(SaveNine(store, App(kOrganisation), u"read-only"));
  EXPECT_FALSE(store.Write(App(kOrganisation), kSection, u"NumLockShow", u"0"));
  EXPECT_EQ(FileBytes(ConfPath(kOrganisation)), good);
}

}  // namespace
}  // namespace murvane::qt
