// The 76-byte open-file request as GetOpenFileNameA sees it, the way back into the wide
// record, and the dialog itself.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/file_dialog_win32.h"
#include "support/win32_test_support.h"

#include <cderr.h>

#include <cstring>

namespace murvane::win32 {
namespace {

using namespace std::string_literals;

// The request the icon chooser makes.
OpenFileNameRecord ChooserRequest(const std::u16string& folder, HWND owner = nullptr) {
  OpenFileNameRecord record;
  record.lStructSize = kOpenFileNameSize;
  record.hwndOwner = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(owner));
  record.lpstrFilter = u"Icone\0*.ico\0\0\0\0"s;
  record.nFilterIndex = 2;
  record.lpstrFile = u"Untitled.bas" + std::u16string(1024, u' ') + u"\0\0"s;
  record.nMaxFile = 1038;
  record.lpstrFileTitle = u"\0"s + std::u16string(512, u' ') + u"\0\0"s;
  record.nMaxFileTitle = 515;
  record.lpstrInitialDir = folder + u"\0\0"s;
  record.lpstrTitle = u"Murvane - Apri";
  record.Flags = 0x382000;
  record.lpstrDefExt = u"bas\0\0"s;
  return record;
}

TEST(OpenFileRequest, IsTheOlderStructureWithAnsiBuffersOfTheGivenSizes) {
  AnsiOpenFileRequest request(ChooserRequest(u"C:\\Citt\u00e0 \u2603", HWND(0x42)));
  const OPENFILENAMEA& ofn = request.Native();
  EXPECT_EQ(ofn.lStructSize, 76u);
  EXPECT_EQ(ofn.hwndOwner, HWND(0x42));
  EXPECT_EQ(ofn.nFilterIndex, 2u);
  EXPECT_EQ(ofn.Flags, 0x382000u);
  EXPECT_EQ(std::string(ofn.lpstrFilter, 15), "Icone\0*.ico\0\0\0\0"s) << "NULs and all";
  EXPECT_EQ(ofn.nMaxFile, 1038u);
  EXPECT_EQ(std::string(ofn.lpstrFile, 1038), "Untitled.bas" + std::string(1024, ' ') + "\0\0"s);
  EXPECT_EQ(ofn.nMaxFileTitle, 515u);
  EXPECT_EQ(std::string(ofn.lpstrFileTitle, 515), "\0"s + std::string(512, ' ') + "\0\0"s);
  EXPECT_STREQ(ofn.lpstrTitle, "Murvane - Apri");
  EXPECT_STREQ(ofn.lpstrInitialDir, "C:\\Citt\xe0 ?") << "in the ANSI code page";
  EXPECT_STREQ(ofn.lpstrDefExt, "bas");
}

TEST(OpenFileRequest, FileBufferComesBackWhole) {
  OpenFileNameRecord record = ChooserRequest(u"C:\\");
  AnsiOpenFileRequest request(record);
  const char chosen[] = "C:\\Icone\\citt\xe0.ico";  // what the dialog writes, with its NUL
  std::memcpy(request.Native().lpstrFile, chosen, sizeof(chosen));
  request.Native().nFileOffset = 9;
  request.Native().nFileExtension = 16;
  request.CopyBack(record);

  const std::u16string path = u"C:\\Icone\\citt\u00e0.ico"s + u'\0';
  ASSERT_EQ(record.lpstrFile.size(), 1038u);
  EXPECT_EQ(record.lpstrFile.substr(0, path.size()), path);
  // What the dialog did not overwrite is still the initial buffer.
  EXPECT_EQ(record.lpstrFile.substr(path.size()),
            std::u16string(1036 - path.size(), u' ') + u"\0\0"s);
  EXPECT_EQ(record.lpstrFileTitle.size(), 515u);
  EXPECT_EQ(record.nFileOffset, 9);
  EXPECT_EQ(record.nFileExtension, 16);
}

// The real dialog, closed from a timer as a user would close it.
TEST(OpenFileRequestDialog, CancelOrAnUnknownSizeAnswersFalse) {
  test::TempFolder folder;
  OpenFileNameRecord record = ChooserRequest({folder.path.begin(), folder.path.end()});
  const std::u16string before = record.lpstrFile;
  wchar_t title[64] = {};
  Win32FileDialog dialog;
  EXPECT_FALSE(test::WithWindow(
      L"#32770", [&] { return dialog.GetOpenFileName(record); },
      [&](HWND box) {
        GetWindowTextW(box, title, 64);
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
      }));
  EXPECT_EQ(CommDlgExtendedError(), 0u) << "a cancel, not a failure";
  EXPECT_STREQ(title, L"Murvane - Apri");
  EXPECT_EQ(record.lpstrFile, before);

  record.lStructSize = 75;
  EXPECT_FALSE(dialog.GetOpenFileName(record));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE)) << "unknown size";
}

}  // namespace
}  // namespace murvane::win32
