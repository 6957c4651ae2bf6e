#include "platform/qt/system.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "platform/qt/text.h"

namespace murvane::qt {
namespace {

constexpr std::int32_t kShellDone = 42;
constexpr std::int32_t kShellNoAssociation = 31;

// A Windows directory search treats * and ? in the last part as a pattern; the
// first match it lists is the one whose attributes count.
QFileInfo FirstMatch(const QString& path) {
  const QFileInfo asGiven(path);
  const QString name = asGiven.fileName();
  if (!name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?'))) return asGiven;
  const QFileInfoList found = asGiven.dir().entryInfoList(
      {name}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  return found.isEmpty() ? QFileInfo() : found.first();
}

}  // namespace

// Hidden on Linux means a name that starts with a dot.
bool QtFileSystem::IsNormalFile(const std::u16string& path) {
  if (path.empty()) return false;
  const QFileInfo file = FirstMatch(ToQString(path));
  return file.exists() && file.isFile() && !file.fileName().startsWith(QLatin1Char('.'));
}

std::int32_t QtShell::Execute(const ShellExecuteRequest& request) {
  const QUrl url = QUrl::fromUserInput(ToQString(request.file));
  return QDesktopServices::openUrl(url) ? kShellDone : kShellNoAssociation;
}

QString StartFolderFor(const QString& programFolder) {
  QDir folder(programFolder);
  if (folder.dirName() == QLatin1String("bin") && folder.cdUp()) {
    const QString icons = folder.absoluteFilePath(QStringLiteral("share/murvane/icons"));
    if (QFileInfo(icons).isDir()) return icons;
  }
  return programFolder;
}

AppIdentity OwnAppIdentity() {
  AppIdentity identity;
  identity.title = u"Murvane";
  identity.major = MURVANE_VERSION_MAJOR;
  identity.minor = MURVANE_VERSION_MINOR;
  identity.revision = MURVANE_VERSION_PATCH;
  identity.companyName = u"Polden Software";
  identity.folder = FromQString(StartFolderFor(QCoreApplication::applicationDirPath()));
  return identity;
}

}  // namespace murvane::qt
