// The configuration window: its layout, its boxes and buttons, and closing it.
#include "support/program_fixture.h"
#include "ui/config/config_layout.h"

namespace murvane::testing {
namespace {

const std::u16string kRed = u"C:\\icons\\red.ico";

TEST(ConfigLayoutTest, EveryKeyFrameHoldsTheSameControlsAtTheSamePlaces) {
  const WindowDesc& layout = ConfigWindowLayout();
  for (Key key : kCapsNumScroll) {
    const LockKey& info = KeyInfo(key);
    SCOPED_TRACE(info.name);
    const int tab = layout.Find(info.Frame())->tabIndex;
    auto check = [&](const ControlId& id, int left, int top, int tabOffset, bool visible) {
      const ControlDesc* control = layout.Find(id);
      ASSERT_NE(control, nullptr) << id.name;
      EXPECT_EQ(control->parent, info.Frame().name);
      EXPECT_EQ(control->rect.left, left) << id.name;
      EXPECT_EQ(control->rect.top, top) << id.name;
      EXPECT_EQ(control->visible, visible) << id.name;
      if (tabOffset >= 0) {
        EXPECT_EQ(control->tabIndex, tab + tabOffset) << id.name;
      }
    };
    check(info.PathText(kOffSlot), 3000, 180, 1, false);
    check(info.PathText(kOnSlot), 3180, 180, 2, false);
    check(info.BuiltInPicture(kOffSlot), 3420, 180, -1, false);
    check(info.BuiltInPicture(kOnSlot), 3660, 180, -1, false);
    check(info.ShowBox(), 60, 240, 3, true);
    check(info.CurrentPicture(kOffSlot), 1920, 600, -1, true);
    check(info.ChangeButton(kOffSlot), 2340, 600, 5, true);
    check(info.DefaultButton(kOffSlot), 3180, 600, 6, true);
    check(info.CurrentPicture(kOnSlot), 1920, 900, -1, true);
    check(info.ChangeButton(kOnSlot), 2340, 900, 8, true);
    check(info.DefaultButton(kOnSlot), 3180, 900, 9, true);
    EXPECT_EQ(layout.Find(info.ShowBox())->caption, u"Visualizza stato");
    EXPECT_EQ(layout.Find(info.ShowBox())->value, 1);
    EXPECT_EQ(layout.Find({"lbl" + info.name + "Icon", kOffSlot})->caption,
              u"Icona stato inattivo:");
    EXPECT_EQ(layout.Find({"lbl" + info.name + "Icon", kOnSlot})->caption, u"Icona stato attivo:");
    EXPECT_EQ(layout.Find(info.BuiltInPicture(kOnSlot))->picture, info.name + ".on");
  }
}

class ConfigWindowTest : public ProgramTest {
 protected:
  void SetUp() override {
    Start();
    sys.Tick();
    OpenConfiguration();
  }
  void ClearAllBoxes() {
    for (Key key : kCapsNumScroll) ClickShowBox(key);
  }
};

TEST_F(ConfigWindowTest, OpeningShowsTheWindowAndListsTheProgram) {
  EXPECT_TRUE(ConfigScreen().visible);
  EXPECT_TRUE(sys.windows.TaskListVisible());
  OpenConfiguration();  // again while shown: nothing else changes
  EXPECT_TRUE(ConfigScreen().visible);
  EXPECT_EQ(sys.windows.CreatedCount("frmMain"), 1);
}

TEST_F(ConfigWindowTest, BoxesRemoveAndBringBackIconsAtOnce) {
  ClickShowBox(Key::NumLock);
  EXPECT_EQ(sys.tray.Find(kNumId), nullptr);
  EXPECT_EQ(ConfigScreen().controls.at(KeyInfo(Key::NumLock).ShowBox()).value, 0);
  ClickShowBox(Key::NumLock);
  EXPECT_EQ(sys.TipOf(kNumId), "NumLock Off");
}

TEST_F(ConfigWindowTest, ClosingWithNoBoxTickedWarnsAndKeepsEverything) {
  ClearAllBoxes();
  EXPECT_TRUE(sys.tray.Shown().empty());
  ClickMain({"cmdClose"});
  sys.CloseBox("frmMain");
  ASSERT_EQ(sys.windows.MessageBoxes().size(), 2u);
  for (const auto& box : sys.windows.MessageBoxes()) {
    EXPECT_EQ(box.text, u"Occorre visualizzare almeno un'icona!");
    EXPECT_EQ(box.caption, u"Murvane");
    EXPECT_EQ(box.owner, ConfigScreen().handle);
  }
  EXPECT_TRUE(sys.settings.Writes().empty());
  EXPECT_TRUE(ConfigScreen().visible);
  EXPECT_TRUE(sys.windows.TaskListVisible());
}

TEST_F(ConfigWindowTest, CloseWithOnlyNumLockTicked) {
  ClickShowBox(Key::CapsLock);
  ClickShowBox(Key::ScrollLock);
  ClickMain({"cmdClose"});
  EXPECT_EQ(sys.settings.Get(u"CapsLockShow"), u"0");
  EXPECT_EQ(sys.settings.Get(u"NumLockShow"), u"1");
  EXPECT_EQ(sys.settings.Get(u"ScrollLockShow"), u"0");
  EXPECT_EQ(sys.settings.Get(u"ScrollLockOffIcon"), u"(Default)");
  EXPECT_FALSE(ConfigScreen().visible);
  EXPECT_FALSE(sys.windows.TaskListVisible());
  EXPECT_TRUE(sys.windows.MessageBoxes().empty());
}

TEST_F(ConfigWindowTest, CloseBoxBehavesExactlyLikeChiudi) {
  PutIcon(kRed);
  sys.fileDialog.WillChoose(kRed);
  ClickMain(KeyInfo(Key::ScrollLock).ChangeButton(kOffSlot));
  sys.CloseBox("frmMain");
  EXPECT_EQ(sys.settings.Writes().size(), 9u);
  EXPECT_EQ(sys.settings.Get(u"ScrollLockOffIcon"), kRed);
  EXPECT_FALSE(ConfigScreen().visible);
  EXPECT_FALSE(sys.windows.TaskListVisible());
  EXPECT_EQ(sys.PictureOf(kScrollId), Narrow(kRed));  // closing refreshes the tray
}

TEST_F(ConfigWindowTest, ChangeInTheOnRowTouchesOnlyTheOnSlot) {
  PutIcon(kRed);
  sys.fileDialog.WillChoose(kRed);
  ClickMain(KeyInfo(Key::CapsLock).ChangeButton(kOnSlot));
  EXPECT_EQ(PathText(Key::CapsLock, kOnSlot), kRed);
  EXPECT_EQ(CurrentPicture(Key::CapsLock, kOnSlot), Narrow(kRed));
  EXPECT_EQ(PathText(Key::CapsLock, kOffSlot), u"(Default)");
  EXPECT_EQ(CurrentPicture(Key::CapsLock, kOffSlot), "CapsLock.off");
  EXPECT_EQ(PathText(Key::NumLock, kOnSlot), u"(Default)");
  // The window shows the new picture straight away.
  PicturePtr shown =
      ConfigScreen().controls.at(KeyInfo(Key::CapsLock).CurrentPicture(kOnSlot)).picture;
  ASSERT_TRUE(shown);
  EXPECT_EQ(sys.pictures.Describe(shown->Handle()), Narrow(kRed));
}

TEST_F(ConfigWindowTest, CancelledChangeOnAClearedKeyTicksItAndAddsTheIcon) {
  ClickShowBox(Key::ScrollLock);
  sys.fileDialog.WillCancel();
  ClickMain(KeyInfo(Key::ScrollLock).ChangeButton(kOnSlot));
  EXPECT_EQ(Config().Value(KeyInfo(Key::ScrollLock).ShowBox()), 1);
  EXPECT_NE(sys.tray.Find(kScrollId), nullptr);
  EXPECT_EQ(PathText(Key::ScrollLock, kOnSlot), u"(Default)");
  EXPECT_EQ(CurrentPicture(Key::ScrollLock, kOnSlot), "ScrollLock.on");
}

TEST_F(ConfigWindowTest, ChosenFileThatIsNoIconChangesNothingButTheBox) {
  sys.files.Put(u"C:\\pics\\photo.bmp", {BitmapFileBytes()});
  ClickShowBox(Key::NumLock);
  for (const std::u16string& path :
       {std::u16string(u"C:\\pics\\photo.bmp"), std::u16string(u"C:\\new.ico")}) {
    sys.fileDialog.WillChoose(path);  // the second one confirmed through the create prompt
    ClickMain(KeyInfo(Key::NumLock).ChangeButton(kOffSlot));
    EXPECT_EQ(PathText(Key::NumLock, kOffSlot), u"(Default)");
    EXPECT_EQ(CurrentPicture(Key::NumLock, kOffSlot), "NumLock.off");
  }
  EXPECT_EQ(Config().Value(KeyInfo(Key::NumLock).ShowBox()), 1);
}

TEST_F(ConfigWindowTest, ChangeAsksForIconsInTheProgramFolder) {
  sys.fileDialog.WillCancel();
  ClickMain(KeyInfo(Key::CapsLock).ChangeButton(kOffSlot));
  ASSERT_EQ(sys.fileDialog.Requests().size(), 1u);
  const OpenFileNameRecord& request = sys.fileDialog.Requests()[0];
  EXPECT_EQ(request.hwndOwner, ConfigScreen().handle);
  EXPECT_EQ(request.lpstrFilter,
            std::u16string(u"Icone") + u'\0' + u"*.ico" + std::u16string(4, u'\0'));
  EXPECT_EQ(request.lpstrInitialDir, std::u16string(u"C:\\Program Files\\Murvane") + u'\0' + u'\0');
}

TEST_F(ConfigWindowTest, DefaultRestoresTheBuiltInPictureOfItsSlotOnly) {
  PutIcon(kRed);
  sys.fileDialog.WillChoose(kRed);
  ClickMain(KeyInfo(Key::NumLock).ChangeButton(kOnSlot));
  sys.fileDialog.WillChoose(kRed);
  ClickMain(KeyInfo(Key::NumLock).ChangeButton(kOffSlot));
  ClickShowBox(Key::NumLock);
  ClickMain(KeyInfo(Key::NumLock).DefaultButton(kOnSlot));
  EXPECT_EQ(PathText(Key::NumLock, kOnSlot), u"(Default)");
  EXPECT_EQ(CurrentPicture(Key::NumLock, kOnSlot), "NumLock.on");
  EXPECT_EQ(PathText(Key::NumLock, kOffSlot), kRed);
  EXPECT_EQ(Config().Value(KeyInfo(Key::NumLock).ShowBox()), 0);
  EXPECT_TRUE(sys.settings.Writes().empty());
}

TEST_F(ConfigWindowTest, EditsSurviveHidingAndReopening) {
  PutIcon(kRed);
  sys.fileDialog.WillChoose(kRed);
  ClickMain(KeyInfo(Key::CapsLock).ChangeButton(kOffSlot));
  ClickMain({"cmdClose"});
  sys.settings.Put(u"CapsLockOffIcon", u"(Default)");  // the store is not read again
  OpenConfiguration();
  EXPECT_EQ(PathText(Key::CapsLock, kOffSlot), kRed);
}

TEST_F(ConfigWindowTest, ApplyPushesChangedPicturesWithoutSaving) {
  PutIcon(kRed);
  sys.fileDialog.WillChoose(kRed);
  ClickMain(KeyInfo(Key::NumLock).ChangeButton(kOffSlot));
  EXPECT_EQ(sys.PictureOf(kNumId), "NumLock.off");
  ClickMain({"cmdApply"});
  EXPECT_EQ(sys.PictureOf(kNumId), Narrow(kRed));
  EXPECT_TRUE(sys.settings.Writes().empty());
  EXPECT_TRUE(ConfigScreen().visible);
}

}  // namespace
}  // namespace murvane::testing
