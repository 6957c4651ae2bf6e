// The open-file dialog, driven through one request record that lives as long as
// the program and is filled afresh on every call.
#pragma once

#include <string>

#include "platform/platform.h"

namespace murvane {

class modCommonDialog {
 public:
  explicit modCommonDialog(Platform& platform);

  // Returns the whole file buffer as the dialog left it when the user confirmed
  // a file (the path is the part before the first NUL), or an empty text.
  std::u16string ShowOpen(std::int32_t owner, const std::u16string& filter,
                          const std::u16string& initialFolder);

 private:
  Platform& platform_;
  OpenFileNameRecord record_;
};

// The text of a dialog answer up to its first NUL.
std::u16string UpToFirstNul(const std::u16string& text);

}  // namespace murvane
