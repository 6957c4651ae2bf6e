// The 76-byte open-file request as GetOpenFileNameA sees it, the way back into the wide
// record, and a refusal from the dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/file_dialog_win32.h"

#include <cderr.h>

#include <cstring>

namespace murvane::win32 {
namespace {

using namespace std::string_literals;

// The icon chooser's request goes out; a refusal from the dialog comes back as one.
// Cancelling the real dialog is the system's business (scripts/e2e opens it).
TEST(OpenFileRequest, GoesOutAsTheOlderAnsiStructureAndComesBackWhole) {
  OpenFileNameRecord record;
  record.lStructSize = kOpenFileNameSize;
  record.hwndOwner = 0x42;
  record.lpstrFilter = u"Icone\0*.ico\0\0\0\0"s;
  record.lpstrFile = u"Untitled.bas" + std::u16string(1024, u' ') + u"\0\0"s;
  record.nMaxFile = 1038;
  record.lpstrFileTitle = u"\0"s + std::u16string(512, u' ') + u"\0\0"s;
  record.nMaxFileTitle = 515;
  record.lpstrInitialDir = u"C:\\Citt\u00e0 \u0100\0\0"s;
  AnsiOpenFileRequest request(record);
  OPENFILENAMEA& ofn = request.Native();
  EXPECT_EQ(ofn.lStructSize, 76u);
  EXPECT_EQ(ofn.hwndOwner, HWND(0x42));
  EXPECT_EQ(std::string(ofn.lpstrFilter, 15), "Icone\0*.ico\0\0\0\0"s) << "NULs and all";
  EXPECT_EQ(std::string(ofn.lpstrFile, 1038), "Untitled.bas" + std::string(1024, ' ') + "\0\0"s);
  EXPECT_EQ(std::string(ofn.lpstrFileTitle, 515), "\0"s + std::string(512, ' ') + "\0\0"s);
  EXPECT_STREQ(ofn.lpstrInitialDir, "C:\\Citt\xe0 ?") << "in the ANSI code page, no look-alike";

  const char chosen[] = "C:\\Icone\\citt\xe0.ico";  // what the dialog writes, with its NUL
  std::memcpy(ofn.lpstrFile, chosen, sizeof(chosen));
  ofn.nFileOffset = 9;
  request.CopyBack(record);
  const std::u16string path = u"C:\\Icone\\citt\u00e0.ico"s + u'\0';
  ASSERT_EQ(record.lpstrFile.size(), 1038u);
  // What the dialog did not overwrite is still the initial buffer.
  EXPECT_EQ(record.lpstrFile, path + std::u16string(1036 - path.size(), u' ') + u"\0\0"s);
  EXPECT_EQ(record.lpstrFileTitle.size(), 515u);
  EXPECT_EQ(record.nFileOffset, 9);

  record.lStructSize = 75;
  EXPECT_FALSE(Win32FileDialog().GetOpenFileName(record));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
}

}  // namespace
}  // namespace murvane::win32
