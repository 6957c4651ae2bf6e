#include "platform/linux/session/socket_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace murvane::linux_desktop {
namespace {

// Another user may have taken the first names in a shared temporary folder.
constexpr int kNamesToTry = 8;

QString MadePrivateFolder(const QString& base) {
  for (int attempt = 0; attempt < kNamesToTry; ++attempt) {
    QString folder = base + QStringLiteral("/murvane-%1").arg(getuid());
    if (attempt > 0) folder += QStringLiteral("-%1").arg(attempt);
    mkdir(QFile::encodeName(folder).constData(), 0700);  // may be there already
    if (IsPrivateFolder(folder)) return folder;
  }
  return {};
}

}  // namespace

bool IsPrivateFolder(const QString& path) {
  struct stat status {};
  if (lstat(QFile::encodeName(path).constData(), &status) != 0) return false;
  return S_ISDIR(status.st_mode) && status.st_uid == getuid() && (status.st_mode & 077) == 0;
}

QString PrivateSocketFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (QDir::isAbsolutePath(runtime) && IsPrivateFolder(runtime)) return runtime;
  QString folder = MadePrivateFolder(QDir::tempPath());
  if (folder.isEmpty() && QDir::tempPath() != QStringLiteral("/tmp"))
    folder = MadePrivateFolder(QStringLiteral("/tmp"));  // an unusable $TMPDIR
  return folder;
}

}  // namespace murvane::linux_desktop
