// The 76-byte open-file request as GetOpenFileNameA sees it, the way back into
// the wide record, and the dialog itself answering a cancel.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/file_dialog_win32.h"
#include "support/win32_test_support.h"

#include <cderr.h>
#include <dlgs.h>

#include <cstring>

namespace murvane::win32 {
namespace {

using namespace std::string_literals;

// The request the icon chooser makes.
OpenFileNameRecord ChooserRequest(HWND owner, const std::u16string& folder) {
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

std::string Bytes(const char* text, std::size_t count) {
  return std::string(text, count);
}

TEST(OpenFileRequest, HasTheOlderSizeAndTheRecordsFields) {
  const OpenFileNameRecord record = ChooserRequest(reinterpret_cast<HWND>(0x42), u"C:\\Murvane");
  AnsiOpenFileRequest request(record);
  const OPENFILENAMEA& ofn = request.Native();
  EXPECT_EQ(ofn.lStructSize, 76u);
  EXPECT_EQ(ofn.hwndOwner, reinterpret_cast<HWND>(0x42));
  EXPECT_EQ(ofn.hInstance, nullptr);
  EXPECT_EQ(ofn.nFilterIndex, 2u);
  EXPECT_EQ(ofn.Flags, 0x382000u);
  EXPECT_EQ(ofn.lpstrCustomFilter, nullptr);
  EXPECT_EQ(ofn.nMaxCustFilter, 0u);
  EXPECT_EQ(ofn.lpfnHook, nullptr);
  EXPECT_EQ(ofn.lpTemplateName, nullptr);
  EXPECT_STREQ(ofn.lpstrTitle, "Murvane - Apri");
  EXPECT_STREQ(ofn.lpstrInitialDir, "C:\\Murvane");
  EXPECT_STREQ(ofn.lpstrDefExt, "bas");
}

TEST(OpenFileRequest, FilterKeepsItsEmbeddedNuls) {
  AnsiOpenFileRequest request(ChooserRequest(nullptr, u"C:\\"));
  EXPECT_EQ(Bytes(request.Native().lpstrFilter, 15), "Icone\0*.ico\0\0\0\0"s);
}

TEST(OpenFileRequest, FileBuffersHaveTheGivenSizesAndContent) {
  AnsiOpenFileRequest request(ChooserRequest(nullptr, u"C:\\"));
  const OPENFILENAMEA& ofn = request.Native();
  EXPECT_EQ(ofn.nMaxFile, 1038u);
  EXPECT_EQ(Bytes(ofn.lpstrFile, 1038), "Untitled.bas" + std::string(1024, ' ') + "\0\0"s);
  EXPECT_EQ(ofn.nMaxFileTitle, 515u);
  EXPECT_EQ(Bytes(ofn.lpstrFileTitle, 515), "\0"s + std::string(512, ' ') + "\0\0"s);
}

TEST(OpenFileRequest, TextsAreInTheAnsiCodePage) {
  OpenFileNameRecord record = ChooserRequest(nullptr, u"C:\\Citt\u00e0 \u2603");
  AnsiOpenFileRequest request(record);
  EXPECT_STREQ(request.Native().lpstrInitialDir, "C:\\Citt\xe0 ?");
}

TEST(OpenFileRequest, NeverClaimsMoreStructureThanThereIs) {
  OpenFileNameRecord record = ChooserRequest(nullptr, u"C:\\");
  record.lStructSize = 4096;
  AnsiOpenFileRequest request(record);
  EXPECT_EQ(request.Native().lStructSize, sizeof(OPENFILENAMEA));
}

TEST(OpenFileRequest, FileBufferComesBackWhole) {
  OpenFileNameRecord record = ChooserRequest(nullptr, u"C:\\");
  AnsiOpenFileRequest request(record);
  const char chosen[] = "C:\\Icone\\citt\xe0.ico";  // what the dialog writes, with its NUL
  std::memcpy(request.Native().lpstrFile, chosen, sizeof(chosen));
  request.Native().nFileOffset = 9;
  request.Native().nFileExtension = 16;
  request.CopyBack(record);

  ASSERT_EQ(record.lpstrFile.size(), 1038u);
  const std::u16string path = u"C:\\Icone\\citt\u00e0.ico";
  EXPECT_EQ(record.lpstrFile.substr(0, path.size() + 1), path + u'\0');
  // What the dialog did not overwrite is still the initial buffer.
  EXPECT_EQ(record.lpstrFile.substr(path.size() + 1, 4), u"    ");
  EXPECT_EQ(record.lpstrFile.substr(1036), u"\0\0"s);
  EXPECT_EQ(record.lpstrFileTitle.size(), 515u);
  EXPECT_EQ(record.nFileOffset, 9);
  EXPECT_EQ(record.nFileExtension, 16);
}

// The real dialog, closed from a timer as a user would close it.
TEST(OpenFileRequestDialog, CancelAnswersFalseAndLeavesTheBuffer) {
  test::TempFolder folder;
  OpenFileNameRecord record = ChooserRequest(nullptr, test::U16(folder.Path()));
  const std::u16string before = record.lpstrFile;
  std::wstring title;
  Win32FileDialog dialog;
  const bool chosen = test::WithDialog<bool>([&] { return dialog.GetOpenFileName(record); },
                                             [&](HWND box) {
                                               wchar_t text[64] = {};
                                               GetWindowTextW(box, text, 64);
                                               title = text;
                                               PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
                                             });
  EXPECT_FALSE(chosen);
  EXPECT_EQ(CommDlgExtendedError(), 0u) << "a cancel, not a failure";
  EXPECT_EQ(title, L"Murvane - Apri");
  EXPECT_EQ(record.lpstrFile, before);
}

TEST(OpenFileRequestDialog, ConfirmedFileComesBackAsThePathBeforeTheFirstNul) {
  test::TempFolder folder;
  const std::wstring icon = folder.Write(L"scelta.ico", test::MakeIconFile({{16, RGB(0, 0, 255)}}));
  OpenFileNameRecord record = ChooserRequest(nullptr, test::U16(folder.Path()));
  Win32FileDialog dialog;
  const bool chosen = test::WithDialog<bool>([&] { return dialog.GetOpenFileName(record); },
                                             [&](HWND box) {
                                               // The file name box of the Explorer-style dialog.
                                               SetDlgItemTextW(box, cmb13, icon.c_str());
                                               SetDlgItemTextW(box, edt1, icon.c_str());
                                               PostMessageW(box, WM_COMMAND, IDOK, 0);
                                             });
  ASSERT_TRUE(chosen) << "dialog error " << CommDlgExtendedError();
  ASSERT_EQ(record.lpstrFile.size(), 1038u);
  const std::u16string path = record.lpstrFile.substr(0, record.lpstrFile.find(u'\0'));
  EXPECT_EQ(path, test::U16(icon));
}

TEST(OpenFileRequestDialog, RecordOfAnUnknownSizeIsRefused) {
  OpenFileNameRecord record = ChooserRequest(nullptr, u"C:\\");
  record.lStructSize = 75;
  Win32FileDialog dialog;
  EXPECT_FALSE(dialog.GetOpenFileName(record));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_STRUCTSIZE));
}

}  // namespace
}  // namespace murvane::win32
