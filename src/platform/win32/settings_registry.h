// Per-user settings in HKEY_CURRENT_USER\Software\<application>\<section>, as REG_SZ.
#pragma once

#include "platform/platform.h"

namespace murvane::win32 {

// Values longer than this are not settings we wrote; they read as absent.
constexpr unsigned long kMaxSettingBytes = 32 * 1024;

class RegistrySettingsStore final : public SettingsStore {
 public:
  std::u16string Read(const std::u16string& application, const std::u16string& section,
                      const std::u16string& name) override;
  bool Write(const std::u16string& application, const std::u16string& section,
             const std::u16string& name, const std::u16string& value) override;
};

}  // namespace murvane::win32
