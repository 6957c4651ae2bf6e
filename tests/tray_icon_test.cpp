// The tray record: what reaches the shell, byte for byte, and the tip's limits.
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
};

TEST_F(TrayIconTest, TipKeepsRoomForItsNul) {
  icon.szTip(std::u16string(63, u'x'));
  EXPECT_EQ(icon.szTip(), std::u16string(63, u'x') + u'\0');
  icon.szTip(std::u16string(100, u'y'));
  EXPECT_EQ(icon.szTip(), std::u16string(63, u'y') + u'\0');
  icon.szTip(u"NumLock: On");
  EXPECT_EQ(icon.szTip(), u"NumLock: On" + std::u16string(1, u'\0') + std::u16string(52, u' '));
}

// In a double-byte code page 63 characters can take 126 bytes; whole characters
// go until the NUL fits, since the shell reads the tip up to it.
TEST_F(TrayIconTest, ADoubleByteTipStillEndsInNulWithinItsBytes) {
  ansi.doubleByte = true;
  icon.szTip(u"A" + std::u16string(62, u'\u6f22'));
  icon.Modify();
  const NotifyIconBuffer& record = shell.Calls().back().record;
  const std::string tip(record.begin() + 24, record.end());
  EXPECT_EQ(tip.substr(0, 63), "A" + ansi.ToAnsi(std::u16string(31, u'\u6f22')));
  EXPECT_EQ(tip[63], '\0');
}

}  // namespace
}  // namespace murvane
