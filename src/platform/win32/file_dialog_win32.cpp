#include "platform/win32/file_dialog_win32.h"

#include <algorithm>

#include "platform/win32/text_win32.h"

namespace murvane::win32 {
namespace {

// A whole buffer of exactly `bytes` bytes, as the dialog may fill it. The dialog
// reads the initial text up to its NUL, so a text that fills the buffer loses its
// last byte to one.
std::string SizedBuffer(const std::u16string& text, std::uint32_t bytes) {
  std::string buffer = ToAnsiBytes(text);
  buffer.resize(bytes, '\0');
  if (!buffer.empty() && buffer.find('\0') == std::string::npos) buffer.back() = '\0';
  return buffer;
}

// A text field the dialog only reads; extra NULs at the end keep filter lists
// ended even if the program forgot theirs.
std::string ReadOnlyText(const std::u16string& text) {
  return ToAnsiBytes(text) + '\0';
}

char* PointerOrNull(std::string& text) {
  return text.empty() ? nullptr : text.data();
}

template <typename Pointer>
Pointer FromField(std::int32_t value) {
  return reinterpret_cast<Pointer>(static_cast<std::intptr_t>(value));
}

}  // namespace

AnsiOpenFileRequest::AnsiOpenFileRequest(const OpenFileNameRecord& record)
    : filter_(record.lpstrFilter.empty() ? std::string() : ReadOnlyText(record.lpstrFilter)),
      customFilter_(SizedBuffer(record.lpstrCustomFilter, record.nMaxCustFilter)),
      file_(SizedBuffer(record.lpstrFile, record.nMaxFile)),
      fileTitle_(SizedBuffer(record.lpstrFileTitle, record.nMaxFileTitle)),
      initialDir_(ToAnsiBytes(record.lpstrInitialDir)),
      title_(ToAnsiBytes(record.lpstrTitle)),
      defExt_(ToAnsiBytes(record.lpstrDefExt)) {
  // The dialog reads lStructSize bytes of the structure; never more than there are.
  native_.lStructSize = std::min<DWORD>(record.lStructSize, sizeof(OPENFILENAMEA));
  native_.hwndOwner = FromField<HWND>(record.hwndOwner);
  native_.hInstance = FromField<HINSTANCE>(record.hInstance);
  native_.lpstrFilter = PointerOrNull(filter_);
  native_.lpstrCustomFilter = PointerOrNull(customFilter_);
  native_.nMaxCustFilter = record.nMaxCustFilter;
  native_.nFilterIndex = record.nFilterIndex;
  native_.lpstrFile = PointerOrNull(file_);
  native_.nMaxFile = record.nMaxFile;
  native_.lpstrFileTitle = PointerOrNull(fileTitle_);
  native_.nMaxFileTitle = record.nMaxFileTitle;
  native_.lpstrInitialDir = PointerOrNull(initialDir_);
  native_.lpstrTitle = PointerOrNull(title_);
  native_.Flags = record.Flags;
  native_.nFileOffset = record.nFileOffset;
  native_.nFileExtension = record.nFileExtension;
  native_.lpstrDefExt = PointerOrNull(defExt_);
  native_.lCustData = record.lCustData;
  native_.lpfnHook = FromField<LPOFNHOOKPROC>(record.lpfnHook);
  native_.lpTemplateName = FromField<LPCSTR>(record.lpTemplateName);
}

void AnsiOpenFileRequest::CopyBack(OpenFileNameRecord& record) const {
  record.lpstrFile = FromAnsiBytes(file_);
  record.lpstrFileTitle = FromAnsiBytes(fileTitle_);
  if (!customFilter_.empty()) record.lpstrCustomFilter = FromAnsiBytes(customFilter_);
  record.nFilterIndex = native_.nFilterIndex;
  record.Flags = native_.Flags;
  record.nFileOffset = native_.nFileOffset;
  record.nFileExtension = native_.nFileExtension;
}

bool Win32FileDialog::GetOpenFileName(OpenFileNameRecord& record) {
  AnsiOpenFileRequest request(record);
  const BOOL chosen = ::GetOpenFileNameA(&request.Native());
  request.CopyBack(record);
  return chosen != FALSE;
}

}  // namespace murvane::win32
