// What the settings store holds, how each value is read at start-up and how the
// choices are written back.
#include "support/program_fixture.h"

namespace murvane::testing {
namespace {

const std::u16string kIcon = u"C:\\Users\\ada\\icons\\caps-on.ico";

class LoadSettingsTest : public ProgramTest {};

// Each of these falls back silently to the built-in picture and "(Default)",
// and leaves the stored value as it was.
TEST_F(LoadSettingsTest, UnusableStoredPathsFallBackToTheBuiltInPicture) {
  const std::vector<std::pair<std::u16string, std::optional<fake::FakeFile>>> cases = {
      {u"C:\\icons\\gone.ico", std::nullopt},  // deleted since it was chosen
      {u"C:\\icons\\hidden.ico", fake::FakeFile{ValidIconBytes(), false, true}},
      {u"C:\\icons\\picture.bmp", fake::FakeFile{BitmapFileBytes()}},  // exists, but no icon
  };
  for (const auto& [path, file] : cases) {
    SCOPED_TRACE(Narrow(path));
    fake::FakePlatform fresh;
    if (file) fresh.files.Put(path, *file);
    fresh.settings.Put(u"NumLockOffIcon", path);
    Application program(fresh.Get());
    program.Start();
    Form& window = program.Main().Window();
    EXPECT_EQ(window.Text(KeyInfo(Key::NumLock).PathText(kOffSlot)), u"(Default)");
    EXPECT_EQ(window.Picture(KeyInfo(Key::NumLock).CurrentPicture(kOffSlot)),
              window.Picture(KeyInfo(Key::NumLock).BuiltInPicture(kOffSlot)));
    EXPECT_EQ(fresh.settings.Get(u"NumLockOffIcon"), path);
  }
}

// The marker is compared letter for letter: "(default)" is a file name like any
// other, while "(Default)" means the built-in picture even where such a file exists.
TEST_F(LoadSettingsTest, OnlyTheExactMarkerMeansTheBuiltInPicture) {
  PutIcon(u"(default)");
  PutIcon(u"(Default)");
  sys.settings.Put(u"NumLockOffIcon", u"(default)");
  sys.settings.Put(u"NumLockOnIcon", u"(Default)");
  Start();
  EXPECT_EQ(PathText(Key::NumLock, kOffSlot), u"(default)");
  EXPECT_EQ(CurrentPicture(Key::NumLock, kOffSlot), "(default)");
  EXPECT_EQ(CurrentPicture(Key::NumLock, kOnSlot), "NumLock.on");
}

class SaveSettingsTest : public ProgramTest {
 protected:
  void SetUp() override {
    Start();
    OpenConfiguration();
  }
};

// Chiudi writes the nine values where earlier versions kept them, and the next start takes
// them back: a hidden key stays hidden, a chosen file is used from the first tick on.
TEST_F(SaveSettingsTest, ChiudiWritesTheNineValuesAndTheNextStartTakesThemBack) {
  PutIcon(kIcon);
  sys.fileDialog.WillChoose(kIcon);
  ClickMain(KeyInfo(Key::NumLock).ChangeButton(kOffSlot));
  ClickShowBox(Key::CapsLock);
  ClickMain({"cmdClose"});
  EXPECT_EQ(sys.settings.Writes().size(), 9u);
  EXPECT_EQ(sys.settings.Batches(), 1) << "one save of the whole file, never part of it";
  for (const auto& write : sys.settings.Writes()) EXPECT_TRUE(write.held) << Narrow(write.name);
  EXPECT_EQ(sys.settings.Get(u"CapsLockShow"), u"0");
  EXPECT_EQ(sys.settings.Get(u"NumLockShow"), u"1");
  EXPECT_EQ(sys.settings.Get(u"NumLockOffIcon"), kIcon);
  EXPECT_EQ(sys.settings.Get(u"NumLockOnIcon"), u"(Default)");
  ChooseFromTrayMenu("mnuExit");
  app.reset();
  Start();
  EXPECT_EQ(sys.tray.Find(kCapsId), nullptr);
  EXPECT_EQ(PathText(Key::NumLock, kOffSlot), kIcon);
  EXPECT_EQ(sys.PictureOf(kNumId), "NumLock.off");  // start-up always shows the built-in "off"
  sys.Tick();
  EXPECT_EQ(sys.PictureOf(kNumId), Narrow(kIcon));
}

TEST_F(SaveSettingsTest, FailedWriteStopsThatKeyAndIsReported) {
  sys.settings.FailWritesOf(u"NumLockOnIcon");
  ClickMain({"cmdClose"});
  std::vector<std::string> names;
  for (const auto& write : sys.settings.Writes()) names.push_back(Narrow(write.name));
  EXPECT_EQ(names, (std::vector<std::string>{"CapsLockShow", "CapsLockOnIcon", "CapsLockOffIcon",
                                             "NumLockShow", "ScrollLockShow", "ScrollLockOnIcon",
                                             "ScrollLockOffIcon"}));
  ASSERT_EQ(sys.windows.MessageBoxes().size(), 1u);
  EXPECT_EQ(sys.windows.MessageBoxes()[0].text, u"Impossibile salvare le impostazioni.");
  EXPECT_EQ(sys.windows.MessageBoxes()[0].caption, u"Murvane");
  EXPECT_FALSE(ConfigScreen().visible);  // the choices stay in effect for this run
}

}  // namespace
}  // namespace murvane::testing
