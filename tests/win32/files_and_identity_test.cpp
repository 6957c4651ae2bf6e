// Files at the system edge: the normal-file test, icon files checked before loading (every
// icon handle destroyed exactly once), the 76-byte open-file request as GetOpenFileNameA sees
// it, and the program's identity from its version record. scripts/e2e sees the built-in
// pictures in the tray at its size.
#include <gtest/gtest.h>
#include <windows.h>

#include <cderr.h>

#include <array>
#include <cstring>
#include <tuple>

#include "icon_maker/ico_writer.h"
#include "platform/win32/app_identity_win32.h"
#include "platform/win32/file_dialog_win32.h"
#include "platform/win32/pictures_win32.h"
#include "platform/win32/system_win32.h"
#include "platform/win32/text_win32.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

using namespace std::string_literals;

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

// A refused file makes no icon. A picture's handle lives exactly as long as its last holder:
// the tray may still draw the old picture while the window already shows the new one.
// (scripts/bench measures long use.)
TEST(Pictures, OnlyCheckedFilesMakeIconsAndEachGoesWithItsLastHolder) {
  test::TempFolder folder;
  const std::vector<std::uint8_t> good = MakeSolidIcon(16, IconColour{0, 128, 0});
  Win32PictureSource source;
  const IconCounts before = CountIcons();
  // Which files are refused is ico_check_test's; here, that one the loader would take (a
  // byte short: it reads past the end) is refused before it.
  for (const std::u16string& path : {folder.Write(L"truncated.ico", {good.begin(), good.end() - 1}),
                                     Utf16(folder.PathOf(L"missing.ico"))})
    EXPECT_EQ(source.LoadIconFile(path), nullptr);
  EXPECT_EQ(CountIcons().created, before.created);
  {
    PicturePtr shownInTray = source.LoadIconFile(folder.Write(L"good.ico", good));
    const PicturePtr current = source.LoadResource("CapsLock.on");
    ASSERT_TRUE(shownInTray && current);
    shownInTray = current;
    EXPECT_EQ(CountIcons().Live() - before.Live(), 1);
  }
  EXPECT_EQ(CountIcons().Live(), before.Live());
}

// The icon chooser's request goes out; a refusal from the dialog comes back as one.
// Cancelling the real dialog is the system's business (scripts/e2e opens it).
TEST(OpenFileRequest, GoesOutAsTheOlderAnsiStructureAndComesBackWhole) {
  OpenFileNameRecord record;
  record.lStructSize = kOpenFileNameSize;
  record.lpstrFilter = u"Icone\0*.ico\0\0\0\0"s;
  record.lpstrFile = u"Untitled.bas" + std::u16string(1024, u' ') + u"\0\0"s;
  record.nMaxFile = 1038;
  record.lpstrInitialDir = u"C:\\Citt\u00e0 \u0100\0\0"s;
  AnsiOpenFileRequest request(record);
  OPENFILENAMEA& ofn = request.Native();
  EXPECT_EQ(ofn.lStructSize, 76u);
  EXPECT_EQ(std::string(ofn.lpstrFilter, 15), "Icone\0*.ico\0\0\0\0"s) << "NULs and all";
  EXPECT_EQ(std::string(ofn.lpstrFile, 1038), "Untitled.bas" + std::string(1024, ' ') + "\0\0"s);
  EXPECT_STREQ(ofn.lpstrInitialDir, "C:\\Citt\xe0 ?") << "in the ANSI code page, no look-alike";

  const char chosen[] = "C:\\Icone\\citt\xe0.ico";  // what the dialog writes, with its NUL
  std::memcpy(ofn.lpstrFile, chosen, sizeof(chosen));
  ofn.nFileOffset = 9;
  request.CopyBack(record);
  const std::u16string path = u"C:\\Icone\\citt\u00e0.ico"s + u'\0';
  ASSERT_EQ(record.lpstrFile.size(), 1038u);
  // What the dialog did not overwrite is still the initial buffer.
  EXPECT_EQ(record.lpstrFile, path + std::u16string(1036 - path.size(), u' ') + u"\0\0"s);
  EXPECT_EQ(record.nFileOffset, 9);

  record.lStructSize = 75;
  EXPECT_FALSE(Win32FileDialog().GetOpenFileName(record));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
}

}  // namespace
}  // namespace murvane::win32
