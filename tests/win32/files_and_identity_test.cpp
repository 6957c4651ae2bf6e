// The normal-file test and the program's identity from its version record.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/app_identity_win32.h"
#include "platform/win32/system_win32.h"
#include "platform/win32/text_win32.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

TEST(FilesAndIdentity, OnlyAnExistingPlainFileIsNormal) {
  test::TempFolder folder;
  const std::pair<const wchar_t*, DWORD> made[] = {{L"plain.ico", FILE_ATTRIBUTE_NORMAL},
                                                   {L"readonly.ico", FILE_ATTRIBUTE_READONLY},
                                                   {L"hidden.ico", FILE_ATTRIBUTE_HIDDEN},
                                                   {L"system.ico", FILE_ATTRIBUTE_SYSTEM}};
  for (const auto& [name, attributes] : made) {
    folder.Write(name, {1, 2, 3});
    SetFileAttributesW(folder.PathOf(name).c_str(), attributes);
  }
  CreateDirectoryW(folder.PathOf(L"Icone").c_str(), nullptr);
  const std::pair<std::wstring, bool> cases[] = {{folder.PathOf(L"plain.ico"), true},
                                                 {folder.PathOf(L"readonly.ico"), true},
                                                 {folder.PathOf(L"hidden.ico"), false},
                                                 {folder.PathOf(L"system.ico"), false},
                                                 {folder.PathOf(L"Icone"), false},
                                                 {folder.PathOf(L"Icone\\"), false},
                                                 {folder.path, false},
                                                 {folder.PathOf(L"missing.ico"), false},
                                                 {L"", false}};
  Win32FileSystem files;
  for (const auto& [path, normal] : cases)
    EXPECT_EQ(files.IsNormalFile(Utf16(path)), normal) << path;
  for (const auto& made_file : made) {
    SetFileAttributesW(folder.PathOf(made_file.first).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST(FilesAndIdentity, IdentityComesFromTheVersionRecord) {
  const AppIdentity identity = ReadOwnAppIdentity();
  EXPECT_EQ(identity.title, u"Murvane");
  EXPECT_EQ(identity.major, 1);
  EXPECT_EQ(identity.minor, 3);
  EXPECT_EQ(identity.revision, 0);
  EXPECT_EQ(identity.fileDescription, u"");
  EXPECT_EQ(identity.companyName, u"Polden Software");
  wchar_t program[MAX_PATH];
  std::wstring folder(program, GetModuleFileNameW(nullptr, program, MAX_PATH));
  folder.resize(folder.find_last_of(L'\\'));
  EXPECT_EQ(identity.folder, Utf16(folder)) << "the program's folder, no trailing separator";
  // "C:" alone would mean the current folder on drive C.
  EXPECT_EQ(ReadAppIdentity(L"C:\\murvane.exe").folder, u"C:\\");
}

}  // namespace
}  // namespace murvane::win32
