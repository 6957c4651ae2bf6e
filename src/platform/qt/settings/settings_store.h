// Per-user settings in QSettings' native file: the application "Polden
// Software\Murvane" is the organisation and application pair, so the values live
// in $XDG_CONFIG_HOME/Polden Software/Murvane.conf, section by section in groups.
// The file is read and written here, not through QSettings: Qt 6.4's buffered
// save reports a full disk as success and renames an empty file over the good one.
#pragma once

#include <QString>
#include <map>
#include <vector>

#include "platform/platform.h"

namespace murvane::qt {

class QtSettingsStore final : public SettingsStore {
 public:
  std::u16string Read(const std::u16string& application, const std::u16string& section,
                      const std::u16string& name) override;
  bool Write(const std::u16string& application, const std::u16string& section,
             const std::u16string& name, const std::u16string& value) override;
  void BeginWrites() override;
  bool EndWrites() override;

 private:
  struct PendingWrite {
    QString path, section, name, value;
  };
  struct Loaded;
  Loaded Load(const QString& path);

  std::vector<PendingWrite> pending_;
  bool holding_ = false;
  std::map<QString, size_t> told_;  // per file, the content last reported on stderr
};

}  // namespace murvane::qt
