// The icons follow the lock keys: the poll, the setters and the forced refresh.
#include "support/program_fixture.h"

namespace murvane::testing {
namespace {

using fake::NotifyCall;

class KeyIndicatorTest : public ProgramTest {
 protected:
  void SetUp() override { Start(); }
  std::vector<NotifyCall> ModifiesAfter(std::size_t first) {
    std::vector<NotifyCall> modifies;
    const auto& calls = sys.tray.Calls();
    for (std::size_t i = first; i < calls.size(); ++i) {
      if (calls[i].message == NotifyMessage::Modify) modifies.push_back(calls[i]);
    }
    return modifies;
  }
};

TEST_F(KeyIndicatorTest, FirstTickSetsAllThreeEvenWithNoKeyChanged) {
  EXPECT_EQ(sys.TipOf(kCapsId), "CapsLock status");
  std::size_t before = sys.tray.Calls().size();
  sys.Tick();
  auto modifies = ModifiesAfter(before);
  ASSERT_EQ(modifies.size(), 3u);
  EXPECT_EQ(modifies[0].uID(), kNumId);
  EXPECT_EQ(modifies[1].uID(), kCapsId);
  EXPECT_EQ(modifies[2].uID(), kScrollId);
  EXPECT_EQ(sys.TipOf(kNumId), "NumLock Off");
  EXPECT_EQ(sys.TipOf(kCapsId), "CapsLock Off");
  EXPECT_EQ(sys.TipOf(kScrollId), "ScrollLock Off");
  EXPECT_EQ(sys.PictureOf(kCapsId), "CapsLock.off");
}

TEST_F(KeyIndicatorTest, IdleTicksSendNothingToTheShell) {
  sys.Tick();
  std::size_t before = sys.tray.Calls().size();
  sys.Tick(50);
  EXPECT_EQ(sys.tray.Calls().size(), before);
}

TEST_F(KeyIndicatorTest, KeyTurnsOnOnlyAfterItIsReleased) {
  sys.Tick();
  SetKey(Key::CapsLock, kToggled | kHeldDown);
  sys.Tick();
  EXPECT_EQ(sys.TipOf(kCapsId), "CapsLock Off");
  SetKey(Key::CapsLock, kToggled);
  sys.Tick();
  EXPECT_EQ(sys.TipOf(kCapsId), "CapsLock On");
  EXPECT_EQ(sys.PictureOf(kCapsId), "CapsLock.on");
  // Switching it off shows from the press on.
  SetKey(Key::CapsLock, kHeldDown);
  sys.Tick();
  EXPECT_EQ(sys.TipOf(kCapsId), "CapsLock Off");
}

TEST_F(KeyIndicatorTest, EachKeyHasItsOwnTooltips) {
  sys.Tick();
  SetKey(Key::NumLock, kToggled);
  SetKey(Key::ScrollLock, kToggled);
  sys.Tick();
  EXPECT_EQ(sys.TipOf(kNumId), "NumLock: On");
  EXPECT_EQ(sys.TipOf(kScrollId), "ScrollLock On");
  EXPECT_EQ(sys.PictureOf(kNumId), "NumLock.on");
  EXPECT_EQ(sys.PictureOf(kScrollId), "ScrollLock.on");
  EXPECT_EQ(sys.TipOf(kCapsId), "CapsLock Off");
}

TEST_F(KeyIndicatorTest, KeyToggledTwiceBetweenTicksGoesUnnoticed) {
  sys.Tick();
  std::size_t before = sys.tray.Calls().size();
  SetKey(Key::NumLock, kToggled);
  SetKey(Key::NumLock, 0);
  sys.Tick();
  EXPECT_EQ(sys.tray.Calls().size(), before);
}

TEST_F(KeyIndicatorTest, HiddenIconFollowsTheKeyAndShowsTheLatestStateWhenAdded) {
  OpenConfiguration();
  ClickShowBox(Key::ScrollLock);
  ASSERT_EQ(sys.tray.Find(kScrollId), nullptr);
  SetKey(Key::ScrollLock, kToggled);
  sys.Tick();
  EXPECT_FALSE(sys.tray.Calls().back().answer);  // refused: not shown
  ClickShowBox(Key::ScrollLock);
  EXPECT_EQ(sys.TipOf(kScrollId), "ScrollLock On");
  EXPECT_EQ(sys.PictureOf(kScrollId), "ScrollLock.on");
}

TEST_F(KeyIndicatorTest, ApplyResendsAllScrollFirstAndLeavesThePollAlone) {
  sys.Tick();
  std::size_t before = sys.tray.Calls().size();
  ClickMain({"cmdApply"});
  auto modifies = ModifiesAfter(before);
  ASSERT_EQ(modifies.size(), 3u);
  EXPECT_EQ(modifies[0].uID(), kScrollId);
  EXPECT_EQ(modifies[1].uID(), kNumId);
  EXPECT_EQ(modifies[2].uID(), kCapsId);
  // Had the refresh reset what the poll saw, this tick would resend all three.
  before = sys.tray.Calls().size();
  sys.Tick();
  EXPECT_EQ(sys.tray.Calls().size(), before);
}

TEST_F(KeyIndicatorTest, NewPictureReachesTheTrayOnlyOnRefresh) {
  SetKey(Key::CapsLock, kToggled);
  sys.Tick();
  PutIcon(u"C:\\icons\\red.ico");
  sys.fileDialog.WillChoose(u"C:\\icons\\red.ico");
  ClickMain(KeyInfo(Key::CapsLock).ChangeButton(kOnSlot));
  sys.Tick();
  EXPECT_EQ(sys.PictureOf(kCapsId), "CapsLock.on");
  ClickMain({"cmdApply"});
  EXPECT_EQ(sys.PictureOf(kCapsId), "C:\\icons\\red.ico");
}

TEST_F(KeyIndicatorTest, SettersCanBeCalledDirectly) {
  bool on = true;
  Main().SetNumLock(on);
  EXPECT_EQ(sys.TipOf(kNumId), "NumLock: On");
  on = false;
  Main().SetScrollLock(on);
  EXPECT_EQ(sys.TipOf(kScrollId), "ScrollLock Off");
  on = true;
  Main().SetCapsLock(on);
  EXPECT_EQ(sys.PictureOf(kCapsId), "CapsLock.on");
}

// Pictures and the handles the shell draws: never released while in use, never
// piling up however long the program runs.
TEST_F(KeyIndicatorTest, PicturesStayFlatAndTheTrayNeverShowsAReleasedHandle) {
  PutIcon(u"C:\\icons\\a.ico");
  sys.Tick();
  OpenConfiguration();
  const int liveAtStart = sys.pictures.LiveCount();
  for (int round = 0; round < 200; ++round) {
    SetKey(Key::CapsLock, round % 2 ? kToggled : 0);
    sys.Tick();
    sys.fileDialog.WillChoose(u"C:\\icons\\a.ico");
    ClickMain(KeyInfo(Key::CapsLock).ChangeButton(round % 2));
    ClickMain({"cmdApply"});
    ASSERT_FALSE(sys.TrayShowsReleasedHandle()) << "round " << round;
    ClickMain(KeyInfo(Key::CapsLock).DefaultButton(round % 2));
    ASSERT_FALSE(sys.TrayShowsReleasedHandle()) << "round " << round;
  }
  ClickMain(KeyInfo(Key::CapsLock).DefaultButton(kOnSlot));
  ClickMain(KeyInfo(Key::CapsLock).DefaultButton(kOffSlot));
  ClickMain({"cmdApply"});
  EXPECT_EQ(sys.pictures.LiveCount(), liveAtStart);
}

}  // namespace
}  // namespace murvane::testing
