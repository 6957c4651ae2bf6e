// The open-file request record and what ShowOpen hands back.
#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "ui/dialogs/common_dialog.h"

namespace murvane {
namespace {

class CommonDialogTest : public ::testing::Test {
 protected:
  fake::FakePlatform sys;
  modCommonDialog dialog{sys.Get()};
  const std::u16string nul2 = std::u16string(2, u'\0');

  std::u16string Open(const std::u16string& filter = u"Icone|*.ico") {
    return dialog.ShowOpen(0x10010, filter, u"C:\\Murvane");
  }
};

TEST_F(CommonDialogTest, RequestRecordIsFilledAsTheDialogExpectsIt) {
  Open();
  const OpenFileNameRecord& request = sys.fileDialog.Requests().at(0);
  EXPECT_EQ(request.lStructSize, 76u);
  EXPECT_EQ(request.hwndOwner, 0x10010);
  EXPECT_EQ(request.hInstance, 0);
  EXPECT_EQ(request.nFilterIndex, 2u);
  EXPECT_EQ(request.lpstrFile, u"Untitled.bas" + std::u16string(1024, u' ') + nul2);
  EXPECT_EQ(request.nMaxFile, 1038u);
  EXPECT_EQ(request.lpstrFileTitle, u'\0' + std::u16string(512, u' ') + nul2);
  EXPECT_EQ(request.nMaxFileTitle, 515u);
  EXPECT_EQ(request.lpstrInitialDir, u"C:\\Murvane" + nul2);
  EXPECT_EQ(request.lpstrTitle, u"Murvane - Apri");
  EXPECT_EQ(request.Flags, 0x382000u);
  EXPECT_EQ(request.lpstrDefExt, u"bas" + nul2);
  EXPECT_TRUE(request.lpstrCustomFilter.empty());
  EXPECT_EQ(request.nMaxCustFilter, 0u);
}

TEST_F(CommonDialogTest, EveryBarOfTheFilterBecomesANul) {
  Open(u"Icone|*.ico|Tutti|*.*");
  EXPECT_EQ(sys.fileDialog.Requests().at(0).lpstrFilter,
            std::u16string(u"Icone") + u'\0' + u"*.ico" + u'\0' + u"Tutti" + u'\0' + u"*.*" + nul2);
}

TEST_F(CommonDialogTest, ConfirmedFileComesBackAsTheWholeBuffer) {
  sys.fileDialog.WillChoose(u"C:\\icone\\verde.ico");
  std::u16string answer = Open();
  EXPECT_EQ(answer.size(), 1038u);
  EXPECT_EQ(UpToFirstNul(answer), u"C:\\icone\\verde.ico");
}

TEST_F(CommonDialogTest, CancelGivesAnEmptyText) {
  sys.fileDialog.WillCancel();
  EXPECT_EQ(Open(), u"");
}

TEST_F(CommonDialogTest, PathLongerThanTheBufferFailsAsEmpty) {
  sys.fileDialog.WillChoose(u"C:\\" + std::u16string(1100, u'a') + u".ico");
  EXPECT_EQ(Open(), u"");
}

TEST_F(CommonDialogTest, EachCallStartsFromAFreshBuffer) {
  sys.fileDialog.WillChoose(u"C:\\a.ico");
  Open();
  Open();
  EXPECT_EQ(sys.fileDialog.Requests().at(1).lpstrFile.substr(0, 12), u"Untitled.bas");
}

}  // namespace
}  // namespace murvane
