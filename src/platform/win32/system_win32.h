// The small one-call services: key state, the normal-file test, the shell.
#pragma once

#include "platform/platform.h"

namespace murvane::win32 {

class Win32KeyboardState final : public KeyboardState {
 public:
  std::int16_t GetKeyState(int virtualKey) override;
};

class Win32FileSystem final : public FileSystem {
 public:
  bool IsNormalFile(const std::u16string& path) override;
};

class Win32Shell final : public Shell {
 public:
  std::int32_t Execute(const ShellExecuteRequest& request) override;
};

}  // namespace murvane::win32
