// The configuration window: its layout, its boxes and buttons, and closing it.
#include <algorithm>

#include "support/program_fixture.h"
#include "ui/config/config_layout.h"

namespace murvane::testing {
namespace {

const std::u16string kRed = u"C:\\icons\\red.ico";

bool Contains(const TwipsRect& outer, const TwipsRect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

bool Overlap(const TwipsRect& a, const TwipsRect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// Rules rather than numbers: every shown control inside its frame (or the window), none on
// top of another, and the keyboard going through the frames in reading order, then Chiudi,
// then Applica.
TEST(ConfigLayoutTest, ControlsSitInsideTheirFramesApartAndInReadingOrder) {
  const WindowDesc& layout = ConfigWindowLayout();
  std::vector<std::pair<TwipsRect, const ControlDesc*>> shown;  // in window coordinates
  for (const ControlDesc& control : layout.controls) {
    if (!control.visible) continue;
    TwipsRect area{0, 0, layout.clientWidth, layout.clientHeight}, at = control.rect;
    if (const ControlDesc* frame = layout.Find({control.parent})) {
      area = frame->rect;
      at.left += area.left;
      at.top += area.top;
    }
    EXPECT_TRUE(Contains(area, at)) << control.id.name;
    shown.emplace_back(at, &control);
  }
  for (const auto& [at, a] : shown) {
    for (const auto& [other, b] : shown) {
      const bool related = a->parent == b->id.name || a == b || b->parent == a->id.name;
      EXPECT_TRUE(related || !Overlap(at, other)) << a->id.name << b->id.name;
    }
  }
  std::erase_if(shown, [](const auto& p) {
    return p.second->kind == ControlKind::Frame || p.second->tabIndex < 0;
  });
  std::vector<ControlId> byTab, byReading;
  std::ranges::sort(shown, {}, [](const auto& p) { return p.second->tabIndex; });
  for (const auto& p : shown) byTab.push_back(p.second->id);
  std::ranges::sort(shown, {}, [](const auto& p) { return std::pair(p.first.top, p.first.left); });
  for (const auto& p : shown) {
    if (!p.second->parent.empty()) byReading.push_back(p.second->id);
  }
  byReading.insert(byReading.end(), {ControlId{"cmdClose"}, ControlId{"cmdApply"}});
  EXPECT_EQ(byTab, byReading);
}

class ConfigWindowTest : public ProgramTest {
 protected:
  void SetUp() override {
    Start();
    sys.Tick();
    OpenConfiguration();
  }
};

TEST_F(ConfigWindowTest, BoxesRemoveAndBringBackIconsAtOnce) {
  ClickShowBox(Key::NumLock);
  EXPECT_EQ(sys.tray.Find(kNumId), nullptr);
  EXPECT_EQ(ConfigScreen().controls.at(KeyInfo(Key::NumLock).ShowBox()).value, 0);
  ClickShowBox(Key::NumLock);
  EXPECT_EQ(sys.TipOf(kNumId), "NumLock Off");
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
  EXPECT_EQ(sys.windows.QuitCalls(), 0);
}

// Choosing a picture means the user wants to see the key, so the box is ticked even when
// the dialog was cancelled, or the file was no icon or did not exist (the create prompt).
TEST_F(ConfigWindowTest, ChangeThatYieldsNoIconLeavesThePictureButTicksTheBox) {
  sys.files.Put(u"C:\\pics\\photo.bmp", {BitmapFileBytes()});
  for (const std::u16string path : {u"", u"C:\\pics\\photo.bmp", u"C:\\new.ico"}) {
    ClickShowBox(Key::NumLock);
    if (path.empty()) sys.fileDialog.WillCancel();
    if (!path.empty()) sys.fileDialog.WillChoose(path);
    ClickMain(KeyInfo(Key::NumLock).ChangeButton(kOffSlot));
    EXPECT_EQ(PathText(Key::NumLock, kOffSlot), u"(Default)");
    EXPECT_EQ(CurrentPicture(Key::NumLock, kOffSlot), "NumLock.off");
    EXPECT_NE(sys.tray.Find(kNumId), nullptr) << Narrow(path);
  }
}

// The dialog gets the older 76-byte record, the filter with its bars turned into NULs, the
// program's folder and a buffer of 1038 characters, filled afresh on every call.
TEST_F(ConfigWindowTest, ChangeAsksForIconsInTheProgramFolder) {
  PutIcon(kRed);
  sys.fileDialog.WillChoose(kRed);
  for (int slot : {kOffSlot, kOnSlot}) ClickMain(KeyInfo(Key::CapsLock).ChangeButton(slot));
  ASSERT_EQ(sys.fileDialog.Requests().size(), 2u);
  const OpenFileNameRecord& request = sys.fileDialog.Requests()[1];
  EXPECT_EQ(request.lStructSize, 76u) << "any other size, and the system opens no dialog";
  EXPECT_EQ(request.hwndOwner, ConfigScreen().handle);
  EXPECT_EQ(request.lpstrFilter,
            std::u16string(u"Icone") + u'\0' + u"*.ico" + std::u16string(4, u'\0'));
  EXPECT_EQ(request.lpstrInitialDir, std::u16string(u"C:\\Program Files\\Murvane") + u'\0' + u'\0');
  EXPECT_EQ(request.nMaxFile, 1038u);
  EXPECT_EQ(request.lpstrFile.substr(0, 13), u"Untitled.bas ");
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

}  // namespace
}  // namespace murvane::testing
