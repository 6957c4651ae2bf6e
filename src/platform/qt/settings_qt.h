// Per-user settings in QSettings' native format: the application "Polden
// Software\Murvane" is the organisation and application pair, so the values live
// in $XDG_CONFIG_HOME/Polden Software/Murvane.conf, section by section in groups.
#pragma once

#include "platform/platform.h"

namespace murvane::qt {

class QtSettingsStore final : public SettingsStore {
 public:
  std::u16string Read(const std::u16string& application, const std::u16string& section,
                      const std::u16string& name) override;
  bool Write(const std::u16string& application, const std::u16string& section,
             const std::u16string& name, const std::u16string& value) override;
};

}  // namespace murvane::qt
