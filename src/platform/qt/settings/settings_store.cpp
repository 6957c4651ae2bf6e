#include "platform/qt/settings/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <optional>

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

// Missing, unreadable, far too large or damaged: no values at all.
std::optional<IniText> Load(const QString& path) {
  QFile file(path);
  if (file.size() > kLargestSettingsFile || !file.open(QIODevice::ReadOnly)) return std::nullopt;
  return IniText::Parse(file.read(kLargestSettingsFile + 1));
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

}  // namespace

std::u16string QtSettingsStore::Read(const std::u16string& application,
                                     const std::u16string& section, const std::u16string& name) {
  const std::optional<IniText> file = Load(FilePath(application));
  if (!file) return {};
  return FromQString(file->Value(ToQString(section), ToQString(name)).value_or(QString()));
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

// A damaged file is replaced by one that holds what was just written; other
// values of a sound file stay.
bool QtSettingsStore::EndWrites() {
  holding_ = false;
  std::vector<PendingWrite> writes = std::move(pending_);
  pending_.clear();
  bool saved = true;
  while (!writes.empty()) {
    const QString path = writes.front().path;
    IniText file = Load(path).value_or(IniText());
    std::erase_if(writes, [&](const PendingWrite& write) {
      if (write.path != path) return false;
      file.Set(write.section, write.name, write.value);
      return true;
    });
    saved = Store(path, file.Bytes()) && saved;
  }
  return saved;
}

}  // namespace murvane::qt
