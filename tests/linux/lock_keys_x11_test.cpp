// The lock keys from a real X server (run by with_xvfb.sh): a key pressed with
// xdotool reaches GetKeyState within one 100 ms tick; a held key has the high bit.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>
#include <string>

#include "platform/linux/keys/xkb.h"
#include "support/qt_test_app.h"

namespace murvane::linux_desktop {
namespace {

// A lit lock key held down: the high bit, so the program's "exactly 1" reads it as off.
constexpr auto kHeldLit = static_cast<std::int16_t>(0xFF81);

void Xdotool(const std::string& what, const std::string& keysym) {
  ASSERT_EQ(std::system(("xdotool " + what + " " + keysym).c_str()), 0);
}

// What GetKeyState reads once `expected` came, or after one 100 ms tick if it did not.
std::int16_t StateWithinOneTick(KeyboardState& keyboard, int virtualKey, std::int16_t expected) {
  std::int16_t now = 0;
  qt::test::RunUntil([&] { return (now = keyboard.GetKeyState(virtualKey)) == expected; }, 100);
  return now;
}

TEST(LockKeysX11, EachKeyTogglesWithinOneTickAndHeldKeysReadNegative) {
  int argc = 1;
  char name[] = "murvane_qt_lock_keys_tests", *argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);  // not the test QApplication: that one drops DISPLAY
  auto keyboard = XkbKeyboardState::Open();
  ASSERT_NE(keyboard, nullptr) << "no X display with the keyboard extension";
  // The poll sleeps while the source is settled: every change must be announced.
  int announced = 0;
  keyboard->OnChange([&announced] { ++announced; });
  const std::pair<int, const char*> keys[] = {
      {qt::kVkCapital, "Caps_Lock"}, {qt::kVkNumLock, "Num_Lock"}, {qt::kVkScroll, "Scroll_Lock"}};
  for (const auto& [virtualKey, keysym] : keys) {
    const std::int16_t before = keyboard->GetKeyState(virtualKey);
    ASSERT_TRUE(before == 0 || before == 1) << keysym << " reads " << before;
    const int announcedBefore = announced;
    Xdotool("key", keysym);
    EXPECT_EQ(StateWithinOneTick(*keyboard, virtualKey, 1 - before), 1 - before) << keysym;
    EXPECT_GT(announced, announcedBefore) << keysym << " changed unannounced";
    // Pressed again and held while lit. (X unlocks a lock on release where Windows
    // toggles on press.)
    Xdotool("keydown", keysym);
    EXPECT_EQ(StateWithinOneTick(*keyboard, virtualKey, kHeldLit), kHeldLit) << keysym << " held";
    EXPECT_FALSE(keyboard->Settled()) << keysym << ": its release sends no event";
    Xdotool("keyup", keysym);
    EXPECT_EQ(StateWithinOneTick(*keyboard, virtualKey, before), before) << keysym;
    keyboard->GetKeyState(virtualKey);
    EXPECT_TRUE(keyboard->Settled()) << keysym;
  }
  // Locked on press, it stays lit on release: only the released modifier tells.
  ASSERT_EQ(keyboard->GetKeyState(qt::kVkCapital), 0);
  Xdotool("keydown", "Caps_Lock");
  ASSERT_EQ(StateWithinOneTick(*keyboard, qt::kVkCapital, kHeldLit), kHeldLit);
  const int announcedHeld = announced;
  Xdotool("keyup", "Caps_Lock");
  EXPECT_TRUE(qt::test::RunUntil([&] { return announced > announcedHeld; }, 1000))
      << "the release of a held lit key was not announced";
  EXPECT_EQ(StateWithinOneTick(*keyboard, qt::kVkCapital, 1), 1);
  Xdotool("key", "Caps_Lock");
}

}  // namespace
}  // namespace murvane::linux_desktop
