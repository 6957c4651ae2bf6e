// Start-up, the tray menu, and the ways the program ends.
#include "support/program_fixture.h"

namespace murvane::testing {
namespace {

constexpr std::uint32_t kWmLButtonDown = 513;
constexpr std::uint32_t kWmLButtonUp = 514;
constexpr std::uint32_t kWmLButtonDblClk = 515;

using StartUpTest = ProgramTest;

TEST_F(StartUpTest, ShowsAllThreeIconsInStartUpOrderAndStaysHidden) {
  Start();
  std::vector<std::int32_t> ids;
  for (const auto& icon : sys.tray.Shown()) {
    ids.push_back(icon.uID);
    EXPECT_EQ(icon.hWnd, ConfigScreen().handle);
    EXPECT_EQ(icon.uCallbackMessage, 512);
  }
  EXPECT_EQ(ids, (std::vector<std::int32_t>{kScrollId, kNumId, kCapsId}));
  EXPECT_EQ(sys.TipOf(kNumId), "NumLock status");
  EXPECT_EQ(sys.PictureOf(kNumId), "NumLock.off");
  EXPECT_FALSE(ConfigScreen().visible);
  EXPECT_FALSE(sys.windows.TaskListVisible());
}

TEST_F(StartUpTest, HiddenKeyIsNeitherAddedNorTicked) {
  sys.settings.Put(u"NumLockShow", u"0");
  Start();
  EXPECT_EQ(sys.tray.Find(kNumId), nullptr);
  EXPECT_EQ(ConfigScreen().controls.at(KeyInfo(Key::NumLock).ShowBox()).value, 0);
}

class TrayMenuTest : public ProgramTest {
 protected:
  void SetUp() override { Start(); }
  const std::vector<std::string>& Menus() { return ConfigScreen().menusOpened; }
};

// Left clicks, double-clicks, moves and the right button's press do nothing.
TEST_F(TrayMenuTest, OnlyTheRightButtonsReleaseOverAnyIconOpensTheMenu) {
  for (std::uint32_t message : {kWmLButtonDown, kWmLButtonUp, kWmLButtonDblClk, 512u, 516u}) {
    sys.MouseOnIcon(kCapsId, message);
  }
  EXPECT_TRUE(Menus().empty());
  for (std::int32_t id : {kNumId, kCapsId, kScrollId}) sys.RightClickIcon(id);
  EXPECT_EQ(Menus(), (std::vector<std::string>{"mnuBar", "mnuBar", "mnuBar"}));
}

TEST_F(TrayMenuTest, SecondRightClickWhileTheMenuIsOpenIsDropped) {
  sys.windows.whileMenuOpen = [&] { sys.RightClickIcon(kCapsId); };
  sys.RightClickIcon(kNumId);
  EXPECT_EQ(Menus().size(), 1u);
  sys.windows.whileMenuOpen = nullptr;
  sys.RightClickIcon(kNumId);  // the guard is released once the menu is closed
  EXPECT_EQ(Menus().size(), 2u);
}

TEST_F(TrayMenuTest, ShellRestartBringsBackTheTickedIconsWithTheirState) {
  SetKey(Key::CapsLock, kToggled);
  sys.Tick();
  OpenConfiguration();
  ClickShowBox(Key::NumLock);
  sys.RestartShell();
  ASSERT_EQ(sys.tray.Shown().size(), 2u);
  EXPECT_EQ(sys.tray.Find(kNumId), nullptr);
  EXPECT_EQ(sys.TipOf(kCapsId), "CapsLock On");
  EXPECT_EQ(sys.PictureOf(kCapsId), "CapsLock.on");
}

// Esci and logging off end the program alike, even in the middle of an edit.
class ExitTest : public ProgramTest {
 protected:
  void SetUp() override { Start(); }
};

TEST_F(ExitTest, LogoffEndsTheProgramLikeEsci) {
  OpenConfiguration();
  ClickShowBox(Key::CapsLock);
  sys.EndSession();
  EXPECT_TRUE(sys.tray.Shown().empty());
  EXPECT_EQ(sys.windows.LiveCount(), 0);
  EXPECT_EQ(sys.windows.QuitCalls(), 1);
  EXPECT_TRUE(sys.settings.Writes().empty()) << "the unsaved edit is dropped";
  const int reads = sys.keyboard.Reads();
  sys.Tick();
  EXPECT_EQ(sys.keyboard.Reads(), reads) << "the timer went with the window";
}

TEST_F(ExitTest, OpenAboutWindowOutlivesTheMainWindow) {
  ChooseFromTrayMenu("mnuAbout");
  ChooseFromTrayMenu("mnuExit");
  ASSERT_NE(sys.windows.Live("frmAbout"), nullptr);
  EXPECT_EQ(sys.windows.QuitCalls(), 0);
  sys.Click("frmAbout", {"cmdOK"});
  EXPECT_EQ(sys.windows.LiveCount(), 0);
  EXPECT_EQ(sys.windows.QuitCalls(), 1);
}

}  // namespace
}  // namespace murvane::testing
