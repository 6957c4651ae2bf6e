#include "platform/qt/dialogs/file_dialog_desktop.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace murvane::qt {

// Loaded again when the locale changed since the last dialog.
void SpeakTheLocalesLanguage() {
  static QTranslator* translator = nullptr;
  static QString loadedFor;
  const QLocale locale;
  if (translator && loadedFor == locale.name()) return;
  if (translator) QCoreApplication::removeTranslator(translator);
  delete translator;
  translator = new QTranslator();
  loadedFor = locale.name();
  if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(translator);
}

// A folder that cannot exist: not even the settings folder is made. Every
// QSettings file of the process goes there; Murvane's own is not one of them.
void KeepDialogStateInMemory() {
  for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
      QSettings::setPath(format, scope, QStringLiteral("/dev/null"));
  }
}

}  // namespace murvane::qt
