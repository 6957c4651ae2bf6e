// Start-up, the tray menu, and the ways the program ends.
#include "support/program_fixture.h"

namespace murvane::testing {
namespace {

constexpr std::uint32_t kWmLButtonDown = 513;
constexpr std::uint32_t kWmLButtonUp = 514;
constexpr std::uint32_t kWmLButtonDblClk = 515;

using StartUpTest = ProgramTest;

TEST_F(StartUpTest, EmptyStoreShowsAllThreeIconsInStartUpOrder) {
  Start();
  const auto& shown = sys.tray.Shown();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].uID, kScrollId);
  EXPECT_EQ(shown[1].uID, kNumId);
  EXPECT_EQ(shown[2].uID, kCapsId);
  for (const auto& icon : shown) {
    EXPECT_EQ(icon.hWnd, ConfigScreen().handle);
    EXPECT_EQ(icon.uFlags, 7);
    EXPECT_EQ(icon.uCallbackMessage, 512);
  }
  EXPECT_EQ(sys.TipOf(kScrollId), "ScrollLock status");
  EXPECT_EQ(sys.TipOf(kNumId), "NumLock status");
  EXPECT_EQ(sys.TipOf(kCapsId), "CapsLock status");
  EXPECT_EQ(sys.PictureOf(kScrollId), "ScrollLock.off");
  EXPECT_EQ(sys.PictureOf(kNumId), "NumLock.off");
}

TEST_F(StartUpTest, StartsHiddenAndOutOfTheTaskList) {
  Start();
  EXPECT_FALSE(ConfigScreen().visible);
  EXPECT_FALSE(sys.windows.TaskListVisible());
  EXPECT_EQ(sys.windows.LiveCount(), 1);
}

TEST_F(StartUpTest, HiddenKeyIsNeitherAddedNorTicked) {
  sys.settings.Put(u"NumLockShow", u"0");
  Start();
  EXPECT_EQ(sys.tray.Find(kNumId), nullptr);
  EXPECT_EQ(sys.tray.Shown().size(), 2u);
  EXPECT_EQ(Config().Value(KeyInfo(Key::NumLock).ShowBox()), 0);
  EXPECT_EQ(ConfigScreen().controls.at(KeyInfo(Key::NumLock).ShowBox()).value, 0);
  EXPECT_EQ(Config().Value(KeyInfo(Key::CapsLock).ShowBox()), 1);
}

class TrayMenuTest : public ProgramTest {
 protected:
  void SetUp() override { Start(); }
  const std::vector<std::string>& Menus() { return ConfigScreen().menusOpened; }
};

TEST_F(TrayMenuTest, RightButtonReleaseOverAnyIconOpensTheSameMenu) {
  for (std::int32_t id : {kNumId, kCapsId, kScrollId}) sys.RightClickIcon(id);
  EXPECT_EQ(Menus(), (std::vector<std::string>{"mnuBar", "mnuBar", "mnuBar"}));
  const MenuDesc* menu = Config().Layout().FindMenu("mnuBar");
  ASSERT_NE(menu, nullptr);
  std::vector<std::u16string> captions;
  for (const auto& item : menu->items) captions.push_back(item.caption);
  EXPECT_EQ(captions, (std::vector<std::u16string>{u"&Esci", u"&Configura...", u"-", u"&Su..."}));
}

TEST_F(TrayMenuTest, LeftClicksAndDoubleClicksDoNothing) {
  for (std::uint32_t message : {kWmLButtonDown, kWmLButtonUp, kWmLButtonDblClk, 512u, 516u}) {
    sys.MouseOnIcon(kCapsId, message);
  }
  EXPECT_TRUE(Menus().empty());
}

TEST_F(TrayMenuTest, SecondRightClickWhileTheMenuIsOpenIsDropped) {
  sys.windows.whileMenuOpen = [&] { sys.RightClickIcon(kCapsId); };
  sys.RightClickIcon(kNumId);
  EXPECT_EQ(Menus().size(), 1u);
  sys.windows.whileMenuOpen = nullptr;
  sys.RightClickIcon(kNumId);  // the guard is released once the menu is closed
  EXPECT_EQ(Menus().size(), 2u);
}

TEST_F(TrayMenuTest, PointerMovesOverTheConfigurationWindowNeverOpenTheMenu) {
  OpenConfiguration();
  sys.PointerOver("frmMain", {});
  sys.PointerOver("frmMain", {"cmdApply"});
  EXPECT_EQ(Menus().size(), 1u);  // only the right-click that opened the window
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

class ExitTest : public ProgramTest {
 protected:
  void SetUp() override { Start(); }
};

TEST_F(ExitTest, ExitRemovesTheIconsUnloadsAndEndsTheLoop) {
  sys.Tick();
  ChooseFromTrayMenu("mnuExit");
  EXPECT_TRUE(sys.tray.Shown().empty());
  const auto& calls = sys.tray.Calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[calls.size() - 3].uID(), kNumId);
  EXPECT_EQ(calls[calls.size() - 2].uID(), kCapsId);
  EXPECT_EQ(calls[calls.size() - 1].uID(), kScrollId);
  EXPECT_EQ(sys.windows.LiveCount(), 0);
  EXPECT_EQ(sys.windows.QuitCalls(), 1);
  // The timer went with the window.
  int reads = sys.keyboard.Reads();
  sys.Tick();
  EXPECT_EQ(sys.keyboard.Reads(), reads);
}

TEST_F(ExitTest, ExitWhileConfiguringSavesNothing) {
  OpenConfiguration();
  ClickShowBox(Key::CapsLock);
  ChooseFromTrayMenu("mnuExit");
  EXPECT_TRUE(sys.settings.Writes().empty());
  EXPECT_EQ(sys.windows.LiveCount(), 0);
  EXPECT_TRUE(sys.windows.MessageBoxes().empty());
}

TEST_F(ExitTest, OpenAboutWindowOutlivesTheMainWindow) {
  ChooseFromTrayMenu("mnuAbout");
  ChooseFromTrayMenu("mnuExit");
  EXPECT_TRUE(sys.tray.Shown().empty());
  EXPECT_EQ(sys.windows.Live("frmMain"), nullptr);
  ASSERT_NE(sys.windows.Live("frmAbout"), nullptr);
  EXPECT_EQ(sys.windows.QuitCalls(), 0);
  sys.Click("frmAbout", {"cmdOK"});
  EXPECT_EQ(sys.windows.LiveCount(), 0);
  EXPECT_EQ(sys.windows.QuitCalls(), 1);
}

TEST_F(ExitTest, LogoffRemovesTheIconsLikeExit) {
  OpenConfiguration();
  sys.EndSession();
  EXPECT_TRUE(sys.tray.Shown().empty());
  EXPECT_EQ(sys.windows.LiveCount(), 0);
  EXPECT_EQ(sys.windows.QuitCalls(), 1);
  EXPECT_TRUE(sys.settings.Writes().empty());
}

TEST_F(ExitTest, CloseBoxNeverEndsTheProgram) {
  OpenConfiguration();
  sys.CloseBox("frmMain");
  ASSERT_NE(sys.windows.Live("frmMain"), nullptr);
  EXPECT_FALSE(ConfigScreen().visible);
  EXPECT_EQ(sys.tray.Shown().size(), 3u);
  EXPECT_EQ(sys.windows.QuitCalls(), 0);
}

}  // namespace
}  // namespace murvane::testing
