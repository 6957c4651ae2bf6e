// The tray record: what reaches the shell, byte for byte, and what comes back.
#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "tray/cls_tray_icon.h"

namespace murvane {
namespace {

class TrayIconTest : public ::testing::Test {
 protected:
  fake::FakeTray shell;
  fake::FakeAnsi ansi;
  clsTrayIcon icon{shell, ansi};

  void FillForShell() {
    icon.hWnd(0x10010);
    icon.uId(2);
    icon.uFlags(7);
    icon.uCallbackMessage(512);
  }
  const NotifyIconBuffer& LastRecord() { return shell.Calls().back().record; }
};

TEST_F(TrayIconTest, NewInstanceSendsSizeAndZerosAndReadsBackAnEmptyTip) {
  EXPECT_EQ(icon.szTip(), std::u16string(64, u'\0'));
  icon.Add();
  NotifyIconBuffer expected{};
  expected[0] = 88;
  EXPECT_EQ(LastRecord(), expected);
}

TEST_F(TrayIconTest, FieldsLandAtTheirOffsetsLittleEndian) {
  FillForShell();
  icon.hIcon(0x01020304);
  icon.Add();
  const NotifyIconBuffer& record = LastRecord();
  EXPECT_EQ(record[4], 0x10);
  EXPECT_EQ(record[5], 0x00);
  EXPECT_EQ(record[6], 0x01);
  EXPECT_EQ(record[8], 2);
  EXPECT_EQ(record[12], 7);
  EXPECT_EQ(record[16], 0x00);
  EXPECT_EQ(record[17], 0x02);  // 512
  EXPECT_EQ(record[20], 0x04);
  EXPECT_EQ(record[23], 0x01);
}

TEST_F(TrayIconTest, TipIsTextThenNulThenBlanks) {
  icon.szTip(u"NumLock: On");
  std::u16string tip = icon.szTip();
  ASSERT_EQ(tip.size(), 64u);
  EXPECT_EQ(tip.substr(0, 11), u"NumLock: On");
  EXPECT_EQ(tip[11], u'\0');
  EXPECT_EQ(tip.substr(12), std::u16string(52, u' '));
}

TEST_F(TrayIconTest, TextEndingInNulGetsASecondNul) {
  icon.szTip(std::u16string(u"CapsLock On") + u'\0');
  std::u16string tip = icon.szTip();
  EXPECT_EQ(tip.substr(11, 3), (std::u16string{u'\0', u'\0', u' '}));
}

TEST_F(TrayIconTest, TipLengthLimits) {
  icon.szTip(std::u16string(63, u'x'));
  EXPECT_EQ(icon.szTip(), std::u16string(63, u'x') + u'\0');
  // Too long for the NUL: cut to 63 characters so the shell still finds its end.
  icon.szTip(std::u16string(100, u'y'));
  EXPECT_EQ(icon.szTip(), std::u16string(63, u'y') + u'\0');
}

TEST_F(TrayIconTest, TipReachesTheShellInAnsiWithPadding) {
  FillForShell();
  icon.szTip(u"CapsLock Off");
  icon.Add();
  const NotifyIconBuffer& record = LastRecord();
  std::string tip(record.begin() + 24, record.end());
  EXPECT_EQ(tip, std::string("CapsLock Off") + '\0' + std::string(51, ' '));
}

TEST_F(TrayIconTest, UnrepresentableTipCharacterComesBackAsReplacement) {
  FillForShell();
  icon.szTip(u"Blocco \u2318 attivo");
  icon.Add();
  EXPECT_EQ(shell.Find(2)->tip, "Blocco ? attivo");
  EXPECT_EQ(icon.szTip().substr(0, 15), u"Blocco ? attivo");
}

TEST_F(TrayIconTest, IconHandleReadsBackAndGoesOutWithTheNextModify) {
  FillForShell();
  icon.Add();
  icon.hIcon(0x5008);
  EXPECT_EQ(icon.hIcon(), 0x5008);
  EXPECT_EQ(icon.Modify(), 1);
  EXPECT_EQ(shell.Calls().back().message, NotifyMessage::Modify);
  EXPECT_EQ(shell.Find(2)->hIcon, 0x5008);
}

TEST_F(TrayIconTest, RefusedRequestsReportZeroAndKeepTheRecordForALaterAdd) {
  FillForShell();
  icon.hIcon(0x7000);
  icon.szTip(u"ScrollLock On");
  EXPECT_EQ(icon.Modify(), 0);
  EXPECT_EQ(icon.Delete(), 0);
  EXPECT_EQ(icon.hIcon(), 0x7000);
  EXPECT_EQ(icon.Add(), 1);
  EXPECT_EQ(icon.Add(), 0);  // already shown
  EXPECT_EQ(shell.Find(2)->tip, "ScrollLock On");
  EXPECT_EQ(shell.Find(2)->hIcon, 0x7000);
  EXPECT_EQ(icon.Delete(), 1);
  EXPECT_EQ(shell.Find(2), nullptr);
}

}  // namespace
}  // namespace murvane
