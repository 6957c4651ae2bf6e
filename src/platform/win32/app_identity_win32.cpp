#include "platform/win32/app_identity_win32.h"

#include <windows.h>

#include <vector>

#include "platform/win32/text_win32.h"

namespace murvane::win32 {
namespace {

// Four hex digits, as string table names spell them; no printf family in a
// static executable for this one use.
std::wstring Hex4(WORD value) {
  std::wstring digits(4, L'0');
  for (int i = 3; i >= 0; --i, value >>= 4) digits[i] = L"0123456789abcdef"[value & 0xF];
  return digits;
}

// The record's first translation; Italian Unicode when it names none.
std::wstring StringTablePath(const void* record) {
  struct Translation {
    WORD language;
    WORD codePage;
  };
  Translation* first = nullptr;
  UINT bytes = 0;
  Translation chosen{0x0410, 1200};
  if (VerQueryValueW(record, L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&first),
                     &bytes) &&
      bytes >= sizeof(Translation)) {
    chosen = *first;
  }
  return L"\\StringFileInfo\\" + Hex4(chosen.language) + Hex4(chosen.codePage) + L"\\";
}

std::u16string StringValue(const void* record, const std::wstring& table, const wchar_t* name) {
  wchar_t* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(record, (table + name).c_str(), reinterpret_cast<void**>(&text), &length) ||
      !text) {
    return {};
  }
  return Utf16(text);
}

// A program in a drive root lives in "C:\", not "C:", which would mean the
// current folder on that drive.
std::u16string FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  std::wstring folder = path.substr(0, slash);
  if (!folder.empty() && folder.back() == L':') folder.push_back(L'\\');
  return Utf16(folder);
}

}  // namespace

AppIdentity ReadAppIdentity(const std::wstring& programPath) {
  AppIdentity identity;
  identity.folder = FolderOf(programPath);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(programPath.c_str(), &ignored);
  if (size == 0) return identity;
  std::vector<BYTE> record(size);
  if (!GetFileVersionInfoW(programPath.c_str(), 0, size, record.data())) return identity;

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedBytes = 0;
  if (VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedBytes) &&
      fixedBytes >= sizeof(VS_FIXEDFILEINFO)) {
    identity.major = HIWORD(fixed->dwFileVersionMS);
    identity.minor = LOWORD(fixed->dwFileVersionMS);
    // major.minor.0.revision: the third number is unused by this program.
    identity.revision = LOWORD(fixed->dwFileVersionLS);
  }
  const std::wstring table = StringTablePath(record.data());
  identity.title = StringValue(record.data(), table, L"ProductName");
  identity.fileDescription = StringValue(record.data(), table, L"FileDescription");
  identity.companyName = StringValue(record.data(), table, L"CompanyName");
  return identity;
}

AppIdentity ReadOwnAppIdentity() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return ReadAppIdentity(path);
}

}  // namespace murvane::win32
