#include "platform/qt/settings_qt.h"

#include <QSettings>
#include <memory>

#include "platform/qt/text_qt.h"

namespace murvane::qt {
namespace {

// "Organisation\Application"; without a backslash the whole name is the application.
std::unique_ptr<QSettings> Open(const std::u16string& application) {
  const QString name = ToQString(application);
  const qsizetype slash = name.indexOf(QLatin1Char('\\'));
  const QString organisation = slash < 0 ? QString() : name.left(slash);
  const QString program = slash < 0 ? name : name.mid(slash + 1);
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation,
                                     program);
}

QString Key(const std::u16string& section, const std::u16string& name) {
  return ToQString(section) + QLatin1Char('/') + ToQString(name);
}

}  // namespace

// A malformed or unreadable file reads as no values at all; nothing stops start-up.
std::u16string QtSettingsStore::Read(const std::u16string& application,
                                     const std::u16string& section, const std::u16string& name) {
  auto settings = Open(application);
  if (settings->status() != QSettings::NoError) return {};
  const QVariant value = settings->value(Key(section, name));
  if (value.typeId() != QMetaType::QString) return {};
  return FromQString(value.toString());
}

// QSettings writes a temporary file and renames it over the old one; a failure
// shows only after sync().
bool QtSettingsStore::Write(const std::u16string& application, const std::u16string& section,
                            const std::u16string& name, const std::u16string& value) {
  auto settings = Open(application);
  if (settings->status() != QSettings::NoError) return false;
  settings->setValue(Key(section, name), ToQString(value));
  settings->sync();
  return settings->status() == QSettings::NoError;
}

}  // namespace murvane::qt
