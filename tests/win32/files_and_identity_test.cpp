// The normal-file test, the program's identity from its version record and the
// shell request.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/app_identity_win32.h"
#include "platform/win32/system_win32.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

using test::U16;

class FilesAndIdentity : public ::testing::Test {
 protected:
  test::TempFolder folder;
  Win32FileSystem files;

  std::u16string Make(const wchar_t* name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    const std::wstring path = folder.Write(name, {1, 2, 3});
    SetFileAttributesW(path.c_str(), attributes);
    return U16(path);
  }
};

TEST_F(FilesAndIdentity, OnlyAnExistingPlainFileIsNormal) {
  EXPECT_TRUE(files.IsNormalFile(Make(L"plain.ico")));
  EXPECT_TRUE(files.IsNormalFile(Make(L"readonly.ico", FILE_ATTRIBUTE_READONLY)));
  EXPECT_TRUE(files.IsNormalFile(Make(L"archive.ico", FILE_ATTRIBUTE_ARCHIVE)));
  EXPECT_FALSE(files.IsNormalFile(Make(L"hidden.ico", FILE_ATTRIBUTE_HIDDEN)));
  EXPECT_FALSE(files.IsNormalFile(Make(L"system.ico", FILE_ATTRIBUTE_SYSTEM)));
  EXPECT_FALSE(files.IsNormalFile(U16(folder.Path())));
  EXPECT_FALSE(files.IsNormalFile(U16(folder.PathOf(L"missing.ico"))));
  EXPECT_FALSE(files.IsNormalFile(u""));
  for (const wchar_t* name : {L"readonly.ico", L"hidden.ico", L"system.ico"}) {
    SetFileAttributesW(folder.PathOf(name).c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST_F(FilesAndIdentity, FolderNamedWithoutSeparatorIsNotAFile) {
  const std::wstring sub = folder.PathOf(L"Icone");
  CreateDirectoryW(sub.c_str(), nullptr);
  EXPECT_FALSE(files.IsNormalFile(U16(sub)));
  EXPECT_FALSE(files.IsNormalFile(U16(sub + L"\\")));
}

TEST_F(FilesAndIdentity, PatternMatchingAFileCountsAsTheSearchFindsIt) {
  Make(L"only.ico");
  EXPECT_TRUE(files.IsNormalFile(U16(folder.PathOf(L"*.ico"))));
  EXPECT_FALSE(files.IsNormalFile(U16(folder.PathOf(L"*.bmp"))));
}

TEST_F(FilesAndIdentity, IdentityComesFromTheVersionRecord) {
  const AppIdentity identity = ReadOwnAppIdentity();
  EXPECT_EQ(identity.title, u"Murvane");
  EXPECT_EQ(identity.major, 1);
  EXPECT_EQ(identity.minor, 3);
  EXPECT_EQ(identity.revision, 0);
  EXPECT_EQ(identity.fileDescription, u"");
  EXPECT_EQ(identity.companyName, u"Polden Software");
}

TEST_F(FilesAndIdentity, FolderIsTheProgramsFolderWithoutTrailingSeparator) {
  wchar_t program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring expected(program);
  expected.resize(expected.find_last_of(L'\\'));
  const AppIdentity identity = ReadOwnAppIdentity();
  EXPECT_EQ(identity.folder, U16(expected));
  ASSERT_FALSE(identity.folder.empty());
  EXPECT_NE(identity.folder.back(), u'\\');
}

TEST_F(FilesAndIdentity, FileWithoutVersionRecordHasOnlyAFolder) {
  const std::u16string path = Make(L"plain.exe");
  const AppIdentity identity = ReadAppIdentity(std::wstring(path.begin(), path.end()));
  EXPECT_EQ(identity.title, u"");
  EXPECT_EQ(identity.major, 0);
  EXPECT_EQ(identity.folder, U16(folder.Path()));
}

TEST_F(FilesAndIdentity, ShellReportsAFileItCannotOpen) {
  Win32Shell shell;
  ShellExecuteRequest request;
  request.operation = u"open";
  request.file = U16(folder.PathOf(L"missing.html"));
  request.showCommand = SW_SHOWNORMAL;
  EXPECT_LE(shell.Execute(request), 32) << "ShellExecute's error range";
}

}  // namespace
}  // namespace murvane::win32
