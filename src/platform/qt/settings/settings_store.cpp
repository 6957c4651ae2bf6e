#include "platform/qt/settings/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <cstdio>

#include "platform/qt/settings/ini_text.h"
#include "platform/qt/text.h"

namespace murvane::qt {
namespace {

// Nine short values take a few hundred bytes; anything this large is not ours
// and would only freeze the window while it is read.
constexpr qint64 kLargestSettingsFile = 1024 * 1024;

// "Organisation\Application" is Organisation/Application.conf in the user's
// configuration folder, where QSettings keeps it.
QString FilePath(const std::u16string& application) {
  QString name = ToQString(application);
  name.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QLatin1Char('/') + name + QStringLiteral(".conf");
}

QString BackupPath(const QString& path) {
  return path + QStringLiteral(".bak");
}

void Say(const QString& path, const QByteArray& what) {
  std::fprintf(stderr, "murvane: %s: %s\n", QFile::encodeName(path).constData(), what.constData());
}

// One unbuffered write, so a full disk shows in write() and never reaches
// commit(); on any failure the old file stays as it was.
bool Store(const QString& path, const QByteArray& bytes) {
  if (!QDir().mkpath(QFileInfo(path).path())) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

// The old file, byte for byte, in the one backup beside it.
bool KeepCopy(const QString& path) {
  QFile old(path);
  QSaveFile copy(BackupPath(path));
  if (!old.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return false;
  for (QByteArray chunk; !(chunk = old.read(1 << 16)).isEmpty();) {
    if (copy.write(chunk) != chunk.size()) {
      copy.cancelWriting();
      return false;
    }
  }
  return old.error() == QFileDevice::NoError && copy.commit();
}

}  // namespace

// The file as read, and whether a save must keep a copy of it first: lines the
// reader skipped, or a file it could not read at all, would otherwise be lost unseen.
struct QtSettingsStore::Loaded {
  IniText text;
  bool keepOld = false;
};

// The values are read nine times at start, so stderr hears of a file once per content.
QtSettingsStore::Loaded QtSettingsStore::Load(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {IniText(), file.exists()};
  const QByteArray bytes = file.read(kLargestSettingsFile + 1);
  const bool tooLarge = bytes.size() > kLargestSettingsFile;
  Loaded loaded{tooLarge ? IniText() : IniText::Parse(bytes), false};
  const int skipped = loaded.text.SkippedLines();
  loaded.keepOld = tooLarge || skipped > 0;
  const size_t content = qHash(bytes);
  const auto [told, fresh] = told_.try_emplace(path, content);
  if (loaded.keepOld && (fresh || told->second != content)) {
    const QByteArray what = tooLarge
                                ? QByteArray("over 1 MB, so no value was read")
                                : "skipped " + QByteArray::number(skipped) +
                                      (skipped == 1 ? " line" : " lines") + " that cannot be read";
    Say(path, what + "; a save first copies the file to " +
                  QFile::encodeName(QFileInfo(BackupPath(path)).fileName()));
  }
  told->second = content;
  return loaded;
}

std::u16string QtSettingsStore::Read(const std::u16string& application,
                                     const std::u16string& section, const std::u16string& name) {
  const IniText file = Load(FilePath(application)).text;
  return FromQString(file.Value(ToQString(section), ToQString(name)).value_or(QString()));
}

bool QtSettingsStore::Write(const std::u16string& application, const std::u16string& section,
                            const std::u16string& name, const std::u16string& value) {
  const bool alone = !holding_;
  if (alone) BeginWrites();
  pending_.push_back(
      {FilePath(application), ToQString(section), ToQString(name), ToQString(value)});
  return !alone || EndWrites();
}

void QtSettingsStore::BeginWrites() {
  holding_ = true;
  pending_.clear();
}

// Every key and section read stays; a save that cannot first keep a copy of
// lines it would drop fails, rather than lose them.
bool QtSettingsStore::EndWrites() {
  holding_ = false;
  std::vector<PendingWrite> writes = std::move(pending_);
  pending_.clear();
  bool saved = true;
  while (!writes.empty()) {
    const QString path = writes.front().path;
    Loaded file = Load(path);
    std::erase_if(writes, [&](const PendingWrite& write) {
      if (write.path != path) return false;
      file.text.Set(write.section, write.name, write.value);
      return true;
    });
    if (file.keepOld && !KeepCopy(path)) {
      Say(path, "the old file cannot be kept as a copy, so it was not replaced");
      saved = false;
      continue;
    }
    saved = Store(path, file.text.Bytes()) && saved;
  }
  return saved;
}

}  // namespace murvane::qt
