// The program ended from outside while one of its modal calls waits: "&Esci"
// chosen from the tray, or the session ending. Whatever the handler that
// opened the dialog had left to do must not happen, and nothing may throw.
#include "support/program_fixture.h"

namespace murvane::testing {
namespace {

class EndingDuringDialogsTest : public ProgramTest {
 protected:
  void SetUp() override {
    Start();
    sys.Tick();
    OpenConfiguration();
  }

  // Ended cleanly: no icon left, no window, the loop told to stop once, and the
  // last thing the shell heard was the three deletes.
  void ExpectEndedCleanly() {
    EXPECT_TRUE(sys.tray.Shown().empty());
    EXPECT_EQ(sys.windows.LiveCount(), 0);
    EXPECT_EQ(sys.windows.QuitCalls(), 1);
    const auto& calls = sys.tray.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().message, NotifyMessage::Delete);
  }
};

TEST_F(EndingDuringDialogsTest, ExitDuringTheSaveFailureWarningHidesAndRefreshesNothing) {
  sys.settings.FailWritesOf(u"NumLockShow");
  sys.windows.whileWarningOpen = [&] { ChooseFromTrayMenu("mnuExit"); };
  EXPECT_NO_THROW(ClickMain({"cmdClose"}));
  ASSERT_EQ(sys.windows.MessageBoxes().size(), 1u);
  ExpectEndedCleanly();
}

TEST_F(EndingDuringDialogsTest, LogoffDuringTheAllOffWarning) {
  for (Key key : kCapsNumScroll) ClickShowBox(key);
  sys.windows.whileWarningOpen = [&] { sys.EndSession(); };
  EXPECT_NO_THROW(sys.CloseBox("frmMain"));
  ASSERT_EQ(sys.windows.MessageBoxes().size(), 1u);
  EXPECT_EQ(sys.windows.MessageBoxes()[0].text, u"Occorre visualizzare almeno un'icona!");
  ExpectEndedCleanly();
  EXPECT_TRUE(sys.settings.Writes().empty());
}

TEST_F(EndingDuringDialogsTest, LogoffWhileTheTrayMenuIsOpenRunsNoItem) {
  sys.windows.WillChooseFromMenu("mnuAbout");
  sys.windows.whileMenuOpen = [&] { sys.EndSession(); };
  EXPECT_NO_THROW(sys.RightClickIcon(kNumId));
  sys.windows.whileMenuOpen = nullptr;
  EXPECT_EQ(sys.windows.LiveCount(), 0);
  EXPECT_EQ(sys.windows.QuitCalls(), 1);
  EXPECT_TRUE(sys.tray.Shown().empty());
}

TEST(StartWithoutWindowTest, AMainWindowTheSystemRefusesIsReportedAndPutsUpNoIcon) {
  fake::FakePlatform sys;
  sys.windows.refuseWindows = true;
  Application app(sys.Get());
  EXPECT_EQ(app.Start(), StartOutcome::NoWindow);
  EXPECT_TRUE(sys.tray.Calls().empty());
  ASSERT_EQ(sys.windows.MessageBoxes().size(), 1u);
  EXPECT_FALSE(app.AnyWindowLoaded());
}

}  // namespace
}  // namespace murvane::testing
