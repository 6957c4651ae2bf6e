// Who the program is, read at run time from its own version record.
#pragma once

#include <string>

#include "platform/platform.h"

namespace murvane::win32 {

// The identity recorded in the given program file; its folder is the file's.
AppIdentity ReadAppIdentity(const std::wstring& programPath);
// The same for the running program.
AppIdentity ReadOwnAppIdentity();

}  // namespace murvane::win32
