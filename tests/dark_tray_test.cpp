// A dark taskbar or panel: the tray shows the built-in pictures' dark-ground
// variant, and nothing else changes.
#include "settings/key_settings.h"
#include "support/program_fixture.h"

namespace murvane::testing {
namespace {

class DarkTrayTest : public ProgramTest {
 protected:
  // Num Lock's "on" picture comes from a file; all three keys are on.
  void StartWithNumFromFile() {
    PutIcon(u"C:\\icons\\num.ico");
    sys.settings.Put(OnIconValueName(u"NumLock"), u"C:\\icons\\num.ico");
    for (Key key : kCapsNumScroll) SetKey(key, kToggled);
    Start();
    sys.Tick();
  }
};

TEST_F(DarkTrayTest, DarkGroundSwapsOnlyBuiltInOnPicturesAndOnlyInTheTray) {
  sys.tray.darkGround = true;
  StartWithNumFromFile();
  EXPECT_EQ(sys.PictureOf(kCapsId), "CapsLock.on.dark");
  EXPECT_EQ(sys.PictureOf(kScrollId), "ScrollLock.on.dark");
  EXPECT_EQ(sys.PictureOf(kNumId), "C:\\icons\\num.ico");
  // The grey "off" glyph reads on dark as drawn.
  SetKey(Key::CapsLock, 0);
  sys.Tick();
  EXPECT_EQ(sys.PictureOf(kCapsId), "CapsLock.off");

  OpenConfiguration();
  EXPECT_EQ(CurrentPicture(Key::CapsLock, kOnSlot), "CapsLock.on");
  EXPECT_EQ(PathText(Key::CapsLock, kOnSlot), u"(Default)");
  // Default pressed for the file picture brings the built-in one back: its variant.
  ClickMain(KeyInfo(Key::NumLock).DefaultButton(kOnSlot));
  ClickMain({"cmdApply"});
  EXPECT_EQ(sys.PictureOf(kNumId), "NumLock.on.dark");
  ClickMain({"cmdClose"});
  EXPECT_EQ(sys.settings.Get(OnIconValueName(u"CapsLock")), u"(Default)");
}

TEST_F(DarkTrayTest, SwitchingWhileRunningPushesAllThreeBothWaysAndLoadsEachVariantOnce) {
  StartWithNumFromFile();
  EXPECT_EQ(sys.PictureOf(kCapsId), "CapsLock.on");
  std::size_t before = sys.tray.Calls().size();
  sys.SetTrayGround(true);
  EXPECT_EQ(ModifiedSince(before), (std::vector<std::int32_t>{kScrollId, kNumId, kCapsId}));
  EXPECT_EQ(sys.PictureOf(kCapsId), "CapsLock.on.dark");
  EXPECT_EQ(sys.PictureOf(kNumId), "C:\\icons\\num.ico");
  EXPECT_EQ(sys.TipOf(kCapsId), "CapsLock On");

  // Other colour settings announce themselves alike; they change nothing.
  before = sys.tray.Calls().size();
  sys.SetTrayGround(true);
  EXPECT_EQ(sys.tray.Calls().size(), before);

  sys.SetTrayGround(false);
  EXPECT_EQ(ModifiedSince(before), (std::vector<std::int32_t>{kScrollId, kNumId, kCapsId}));
  EXPECT_EQ(sys.PictureOf(kCapsId), "CapsLock.on");
  EXPECT_FALSE(sys.TrayShowsReleasedHandle());
  const std::size_t settled = sys.tray.Calls().size();
  sys.Tick(3);
  EXPECT_EQ(sys.tray.Calls().size(), settled);

  // Each variant is loaded once: a key toggled all day does not pile up pictures.
  const int created = sys.pictures.CreatedCount();
  for (int round = 0; round < 6; ++round) {
    SetKey(Key::CapsLock, round % 2 ? kToggled : 0);
    sys.Tick();
    sys.SetTrayGround(round % 3 != 0);
  }
  EXPECT_EQ(sys.pictures.CreatedCount(), created);
}

}  // namespace
}  // namespace murvane::testing
