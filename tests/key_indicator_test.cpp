// The icons follow the lock keys: the poll and the forced refresh.
#include "support/program_fixture.h"

namespace murvane::testing {
namespace {

class KeyIndicatorTest : public ProgramTest {
 protected:
  void SetUp() override { Start(); }
};

TEST_F(KeyIndicatorTest, FirstTickSetsAllThreeThenIdleTicksSendNothing) {
  const std::size_t before = sys.tray.Calls().size();
  sys.Tick();
  EXPECT_EQ(ModifiedSince(before), (std::vector<std::int32_t>{kNumId, kCapsId, kScrollId}));
  const std::size_t settled = sys.tray.Calls().size();
  sys.Tick(50);
  EXPECT_EQ(sys.tray.Calls().size(), settled);
}

TEST_F(KeyIndicatorTest, KeyTurnsOnOnlyAfterItIsReleasedAndOffFromThePress) {
  sys.Tick();
  SetKey(Key::CapsLock, kToggled | kHeldDown);
  sys.Tick();
  EXPECT_EQ(sys.TipOf(kCapsId), "CapsLock Off");
  SetKey(Key::CapsLock, kToggled);
  SetKey(Key::NumLock, kToggled);
  sys.Tick();
  EXPECT_EQ(sys.TipOf(kCapsId), "CapsLock On");
  EXPECT_EQ(sys.PictureOf(kCapsId), "CapsLock.on");
  EXPECT_EQ(sys.TipOf(kNumId), "NumLock: On");
  SetKey(Key::CapsLock, kHeldDown);
  sys.Tick();
  EXPECT_EQ(sys.TipOf(kCapsId), "CapsLock Off");
}

// Pictures and the handles the shell draws: never released while in use, never piling up.
TEST_F(KeyIndicatorTest, PicturesStayFlatAndTheTrayNeverShowsAReleasedHandle) {
  PutIcon(u"C:\\icons\\a.ico");
  sys.Tick();
  OpenConfiguration();
  const int liveAtStart = sys.pictures.LiveCount();
  for (int round = 0; round < 4; ++round) {
    SetKey(Key::CapsLock, round % 2 ? kToggled : 0);
    sys.Tick();
    sys.fileDialog.WillChoose(u"C:\\icons\\a.ico");
    ClickMain(KeyInfo(Key::CapsLock).ChangeButton(round % 2));
    ClickMain({"cmdApply"});
    ClickMain(KeyInfo(Key::CapsLock).DefaultButton(round % 2));
    ASSERT_FALSE(sys.TrayShowsReleasedHandle()) << "round " << round;
  }
  ClickMain({"cmdApply"});
  EXPECT_EQ(sys.pictures.LiveCount(), liveAtStart);
}

}  // namespace
}  // namespace murvane::testing
