// The normal-file test and the program's identity from its version record.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <tuple>

#include "platform/win32/app_identity_win32.h"
#include "platform/win32/system_win32.h"
#include "platform/win32/text_win32.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

TEST(FilesAndIdentity, OnlyAnExistingPlainFileIsNormal) {
  test::TempFolder folder;
  Win32FileSystem files;
  const std::tuple<const wchar_t*, DWORD, bool> made[] = {
      {L"plain.ico", FILE_ATTRIBUTE_NORMAL, true},
      {L"readonly.ico", FILE_ATTRIBUTE_READONLY, true},
      {L"hidden.ico", FILE_ATTRIBUTE_HIDDEN, false},
      {L"system.ico", FILE_ATTRIBUTE_SYSTEM, false}};
  for (const auto& [name, attributes, normal] : made) {
    const std::u16string path = folder.Write(name, {1, 2, 3});
    SetFileAttributesW(folder.PathOf(name).c_str(), attributes);
    EXPECT_EQ(files.IsNormalFile(path), normal) << name;
    SetFileAttributesW(folder.PathOf(name).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  CreateDirectoryW(folder.PathOf(L"Icone").c_str(), nullptr);
  for (const std::wstring& path : {folder.PathOf(L"Icone"), folder.PathOf(L"missing.ico"), {}})
    EXPECT_FALSE(files.IsNormalFile(Utf16(path))) << path;
}

TEST(FilesAndIdentity, IdentityComesFromTheVersionRecord) {
  const AppIdentity identity = ReadOwnAppIdentity();
  EXPECT_EQ(identity.title, u"Murvane");
  EXPECT_EQ((std::array{identity.major, identity.minor, identity.revision}), (std::array{1, 3, 0}));
  wchar_t program[MAX_PATH];
  std::wstring folder(program, GetModuleFileNameW(nullptr, program, MAX_PATH));
  folder.resize(folder.find_last_of(L'\\'));
  EXPECT_EQ(identity.folder, Utf16(folder)) << "the program's folder, no trailing separator";
  // "C:" alone would mean the current folder on drive C.
  EXPECT_EQ(ReadAppIdentity(L"C:\\murvane.exe").folder, u"C:\\");
}

}  // namespace
}  // namespace murvane::win32
