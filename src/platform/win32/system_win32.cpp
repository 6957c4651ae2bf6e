#include "platform/win32/system_win32.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/text_win32.h"

namespace murvane::win32 {

std::int16_t Win32KeyboardState::GetKeyState(int virtualKey) {
  return static_cast<std::int16_t>(::GetKeyState(virtualKey));
}

// A directory search rather than GetFileAttributes: a pattern such as "*.ico"
// that matches a file counts, as the settings rules expect of the search.
bool Win32FileSystem::IsNormalFile(const std::u16string& path) {
  if (path.empty()) return false;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Wide(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  constexpr DWORD kNotNormal =
      FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return (found.dwFileAttributes & kNotNormal) == 0;
}

std::int32_t Win32Shell::Execute(const ShellExecuteRequest& request) {
  // Empty texts go to the shell as "" rather than as null pointers.
  const std::string operation = ToAnsiBytes(request.operation);
  const std::string file = ToAnsiBytes(request.file);
  const std::string parameters = ToAnsiBytes(request.parameters);
  const std::string directory = ToAnsiBytes(request.directory);
  HWND owner = reinterpret_cast<HWND>(static_cast<std::intptr_t>(request.owner));
  HINSTANCE result = ShellExecuteA(owner, operation.c_str(), file.c_str(), parameters.c_str(),
                                   directory.c_str(), request.showCommand);
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(result));
}

}  // namespace murvane::win32
