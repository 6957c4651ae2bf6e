// The small one-call services: the normal-file test, the shell, who the program is.
#pragma once

#include <QString>

#include "platform/platform.h"

namespace murvane::qt {

class QtFileSystem final : public FileSystem {
 public:
  bool IsNormalFile(const std::u16string& path) override;
};

// Opens web pages with the desktop's browser; ShellExecute's answers: above 32 for
// done, SE_ERR_NOASSOC when nothing could open it.
class QtShell final : public Shell {
 public:
  std::int32_t Execute(const ShellExecuteRequest& request) override;
};

// The folder the program starts the file dialog in: the program's own, or, for a
// program installed as <prefix>/bin/murvane, <prefix>/share/murvane/icons when
// the package put the built-in pictures there.
QString StartFolderFor(const QString& programFolder);

// Title, version and company as the build records them, and the start folder.
AppIdentity OwnAppIdentity();

}  // namespace murvane::qt
