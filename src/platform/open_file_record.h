// The open-file request in the shape of OPENFILENAMEA, held with wide texts.
// The backend converts the texts to the ANSI code page for the call and back.
#pragma once

#include <cstdint>
#include <string>

namespace murvane {

// The record without pvReserved, dwReserved and FlagsEx: the older dialog layout.
constexpr std::uint32_t kOpenFileNameSize = 76;

struct OpenFileNameRecord {
  std::uint32_t lStructSize = 0;
  std::int32_t hwndOwner = 0;
  std::int32_t hInstance = 0;
  std::u16string lpstrFilter;  // pairs separated by NULs, ending in NULs
  std::u16string lpstrCustomFilter;
  std::uint32_t nMaxCustFilter = 0;
  std::uint32_t nFilterIndex = 0;
  std::u16string lpstrFile;  // the whole buffer, nMaxFile characters
  std::uint32_t nMaxFile = 0;
  std::u16string lpstrFileTitle;  // the whole buffer, nMaxFileTitle characters
  std::uint32_t nMaxFileTitle = 0;
  std::u16string lpstrInitialDir;
  std::u16string lpstrTitle;
  std::uint32_t Flags = 0;
  std::uint16_t nFileOffset = 0;
  std::uint16_t nFileExtension = 0;
  std::u16string lpstrDefExt;
  std::int32_t lCustData = 0;
  std::int32_t lpfnHook = 0;
  std::int32_t lpTemplateName = 0;
};

}  // namespace murvane
