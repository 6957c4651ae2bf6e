// The open-file dialog: GetOpenFileNameA with the program's wide record converted
// to ANSI buffers of the sizes it gives, and back.
#pragma once

#include <windows.h>

#include <commdlg.h>
// The program's interface has a GetOpenFileName of its own; this file calls the
// ANSI function by its full name.
#undef GetOpenFileName

#include <string>

#include "platform/platform.h"

namespace murvane::win32 {

// The record as GetOpenFileNameA sees it, with the ANSI buffers it points into.
class AnsiOpenFileRequest {
 public:
  explicit AnsiOpenFileRequest(const OpenFileNameRecord& record);
  AnsiOpenFileRequest(const AnsiOpenFileRequest&) = delete;
  AnsiOpenFileRequest& operator=(const AnsiOpenFileRequest&) = delete;

  OPENFILENAMEA& Native() { return native_; }
  // Copies what the dialog may have written back into the wide record.
  void CopyBack(OpenFileNameRecord& record) const;

 private:
  std::string filter_;
  std::string customFilter_;
  std::string file_;
  std::string fileTitle_;
  std::string initialDir_;
  std::string title_;
  std::string defExt_;
  OPENFILENAMEA native_{};
};

class Win32FileDialog final : public FileDialog {
 public:
  bool GetOpenFileName(OpenFileNameRecord& record) override;
};

}  // namespace murvane::win32
