// The on-screen display: its tray menu switch and stored value, and which key
// changes it shows.
#include "settings/key_settings.h"
#include "support/program_fixture.h"

namespace murvane::testing {
namespace {

class DisplayTest : public ProgramTest {
 protected:
  // Each display as "picture text" rows joined by " | ".
  std::vector<std::string> Displays() {
    std::vector<std::string> all;
    for (const auto& rows : sys.display.Shown()) {
      std::string line;
      for (const DisplayRow& row : rows)
        line += (line.empty() ? "" : " | ") + sys.pictures.Describe(row.picture->Handle()) + " " +
                Narrow(row.text);
      all.push_back(line);
    }
    return all;
  }
  bool Ticked() { return ConfigScreen().lastMenu.items.back().checked; }
};

TEST_F(DisplayTest, ShowsOnlyThePollsChangesOfShownKeysOneDisplayPerTick) {
  sys.settings.Put(kOnScreenDisplayValueName, u"1");
  sys.settings.Put(u"ScrollLockShow", u"0");
  SetKey(Key::NumLock, kToggled);
  Start();
  sys.Tick(2);
  SetKey(Key::ScrollLock, kToggled);
  SetKey(Key::NumLock, 0);
  SetKey(Key::CapsLock, kToggled);
  sys.Tick(2);
  ClickMain({"cmdApply"});
  EXPECT_EQ(Displays(),
            (std::vector<std::string>{"CapsLock.on CapsLock On | NumLock.off NumLock Off"}));
}

TEST_F(DisplayTest, TheMenuItemSwitchesAndStoresItAndOnlyOneReadsAsOn) {
  for (const char16_t* stored : {u"", u"01", u" 1", u"true"}) {
    fake::FakePlatform fresh;
    fresh.settings.Put(kOnScreenDisplayValueName, stored);
    Application program(fresh.Get());
    program.Start();
    fresh.Tick();
    fresh.keyboard.Set(KeyInfo(Key::CapsLock).virtualKey, kToggled);
    fresh.Tick();
    EXPECT_TRUE(fresh.display.Shown().empty()) << Narrow(stored);
  }
  Start();
  ChooseFromTrayMenu("mnuOnScreenDisplay");
  EXPECT_EQ(sys.settings.Get(kOnScreenDisplayValueName), u"1");
  EXPECT_TRUE(Ticked()) << "at once: a panel keeps the menu it read";
  ChooseFromTrayMenu("");
  EXPECT_TRUE(Ticked()) << "and the next time it opens";
  ChooseFromTrayMenu("mnuOnScreenDisplay");
  EXPECT_EQ(sys.settings.Get(kOnScreenDisplayValueName), u"0");
  EXPECT_FALSE(Ticked());
}

TEST_F(DisplayTest, AFailedWriteWarnsAndLeavesTheDisplayAsItWas) {
  sys.settings.FailWritesOf(kOnScreenDisplayValueName);
  Start();
  sys.Tick();
  ChooseFromTrayMenu("mnuOnScreenDisplay");
  ASSERT_EQ(sys.windows.MessageBoxes().size(), 1u);
  EXPECT_EQ(sys.windows.MessageBoxes()[0].text, u"Impossibile salvare le impostazioni.");
  SetKey(Key::CapsLock, kToggled);
  sys.Tick();
  EXPECT_FALSE(Ticked());
  EXPECT_TRUE(sys.display.Shown().empty());
}

}  // namespace
}  // namespace murvane::testing
