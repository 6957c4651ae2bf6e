// Which lock-key source each kind of session gets, the keyboard LEDs read from a
// folder laid out as /sys/class/leds, and KWin's keystate events decoded.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "platform/qt/keyboard_qt.h"

namespace murvane::qt {
namespace {

class NamedSource final : public KeySource {
 public:
  explicit NamedSource(std::string name) : name(std::move(name)) {}
  std::int16_t GetKeyState(int) override { return 0; }
  std::string name;
};

struct Available {
  bool xkb = false;
  bool keystate = false;
  bool leds = false;
};

// Which source came out ("none" for the every-key-off one), which openers were
// tried, in order, and what was said.
struct Outcome {
  std::string source;
  std::vector<std::string> tried;
  std::vector<QString> warnings;
};

Outcome Choose(const SessionFacts& session, Available available) {
  Outcome outcome;
  auto opener = [&outcome](const char* name, bool works) {
    return [&outcome, name, works]() -> std::unique_ptr<KeySource> {
      outcome.tried.push_back(name);
      if (!works) return nullptr;
      return std::make_unique<NamedSource>(name);
    };
  };
  const KeySourceOpeners openers{opener("xkb", available.xkb),
                                 opener("keystate", available.keystate),
                                 opener("leds", available.leds)};
  auto source = ChooseKeySource(
      session, openers, [&outcome](const QString& text) { outcome.warnings.push_back(text); });
  const auto* named = dynamic_cast<NamedSource*>(source.get());
  outcome.source = named ? named->name : "none";
  return outcome;
}

SessionFacts Session(bool wayland, bool x, const char* platform, const char* desktop = "") {
  return SessionFacts{wayland, x, QString::fromLatin1(platform), QString::fromLatin1(desktop)};
}

using Tried = std::vector<std::string>;

TEST(KeySourceChoice, X11TakesXkbThenTheLedsAndNeverAsksKwin) {
  const SessionFacts x11 = Session(false, true, "xcb");
  EXPECT_EQ(Choose(x11, {true, true, true}).source, "xkb");
  const Outcome noXkb = Choose(x11, {false, true, true});
  EXPECT_EQ(noXkb.source, "leds");
  EXPECT_EQ(noXkb.tried, (Tried{"xkb", "leds"}));
  EXPECT_TRUE(noXkb.warnings.empty());
}

// XWayland's keyboard is stale on a Wayland session, and an X connection of ours
// would start it: whatever DISPLAY says, and even when Qt itself fell back to xcb.
TEST(KeySourceChoice, WaylandNeverOpensXkb) {
  for (const SessionFacts& wayland :
       {Session(true, true, "wayland"), Session(true, true, "xcb"), Session(true, false, "wayland"),
        Session(false, true, "wayland")}) {
    const Outcome kde = Choose(wayland, {true, true, true});
    EXPECT_EQ(kde.source, "keystate") << wayland.qtPlatform.toStdString();
    EXPECT_EQ(kde.tried, (Tried{"keystate"}));
    const Outcome sway = Choose(wayland, {true, false, true});
    EXPECT_EQ(sway.source, "leds");
    EXPECT_EQ(sway.tried, (Tried{"keystate", "leds"}));
  }
}

// Only Qt's own platform decides X: offscreen with a DISPLAY opens no X connection.
TEST(KeySourceChoice, NoXConnectionUnlessQtRunsOnXcb) {
  const Outcome offscreen = Choose(Session(false, true, "offscreen"), {true, true, true});
  EXPECT_EQ(offscreen.source, "leds");
  EXPECT_EQ(offscreen.tried, (Tried{"leds"}));
}

TEST(KeySourceChoice, NothingReadableIsSaidOnceNamingTheSession) {
  const Outcome sway = Choose(Session(true, true, "wayland", "sway"), {true, false, false});
  EXPECT_EQ(sway.source, "none");
  ASSERT_EQ(sway.warnings.size(), 1u);
  EXPECT_EQ(sway.warnings[0].toStdString(),
            "murvane: no keystate from the compositor and no keyboard LEDs readable on this "
            "Wayland (sway) session; every lock key reads as off");
  const Outcome x11 = Choose(Session(false, true, "xcb"), {});
  ASSERT_EQ(x11.warnings.size(), 1u);
  EXPECT_EQ(x11.warnings[0].toStdString(),
            "murvane: no X keyboard extension and no keyboard LEDs readable on this X11 session; "
            "every lock key reads as off");
  EXPECT_EQ(Choose(Session(false, false, "offscreen"), {}).warnings.at(0).toStdString(),
            "murvane: no keyboard LEDs readable on this X11 session; every lock key reads as off");
}

// --- The LEDs ---------------------------------------------------------------

class LedFolder {
 public:
  void Led(const QString& name, const QByteArray& brightness) {
    ASSERT_TRUE(QDir(dir_.path()).mkpath(name));
    QFile file(dir_.path() + "/" + name + "/brightness");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(brightness);
  }
  void Unplug(const QString& name) {
    ASSERT_TRUE(QDir(dir_.path() + "/" + name).removeRecursively());
  }
  QString Path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

TEST(LedKeyboard, AKeyIsOnWhenAnyKeyboardsLedIsLit) {
  LedFolder leds;
  leds.Led("input3::capslock", "0\n");
  leds.Led("input7::capslock", "1\n");
  leds.Led("input3::numlock", "0\n");
  leds.Led("input7::numlock", "0\n");
  leds.Led("input3::scrolllock", "255\n");
  leds.Led("phy0-led::capslock", "1\n");  // not a keyboard
  LedKeyboardState keyboard(leds.Path(), 0);
  EXPECT_TRUE(keyboard.HasLeds());
  EXPECT_EQ(keyboard.GetKeyState(kVkCapital), 1);
  EXPECT_EQ(keyboard.GetKeyState(kVkNumLock), 0);
  EXPECT_EQ(keyboard.GetKeyState(kVkScroll), 1);
  EXPECT_EQ(keyboard.GetKeyState(0x41), 0);
  EXPECT_FALSE(keyboard.Settled()) << "LEDs report no changes: the poll must go on";
}

TEST(LedKeyboard, KeyboardsThatComeAndGoAreFoundAgain) {
  LedFolder leds;
  leds.Led("input3::capslock", "0\n");
  leds.Led("input7::capslock", "1\n");
  LedKeyboardState keyboard(leds.Path(), 0);
  EXPECT_EQ(keyboard.GetKeyState(kVkCapital), 1);
  leds.Unplug("input7::capslock");
  EXPECT_EQ(keyboard.GetKeyState(kVkCapital), 0);
  leds.Led("input9::capslock", "1\n");
  EXPECT_EQ(keyboard.GetKeyState(kVkCapital), 1);
  leds.Unplug("input3::capslock");
  leds.Unplug("input9::capslock");
  EXPECT_FALSE(keyboard.HasLeds());
}

TEST(LedKeyboard, UnreadableOrEmptyFilesReadAsOffAndNoFolderHasNoLeds) {
  LedFolder leds;
  leds.Led("input3::capslock", "");
  ASSERT_TRUE(QDir(leds.Path()).mkpath("input3::numlock/brightness"));  // not a file
  LedKeyboardState keyboard(leds.Path(), 0);
  EXPECT_EQ(keyboard.GetKeyState(kVkCapital), 0);
  EXPECT_EQ(keyboard.GetKeyState(kVkNumLock), 0);
  EXPECT_FALSE(LedKeyboardState(leds.Path() + "/missing", 0).HasLeds());
}

// --- KWin's keystate ---------------------------------------------------------

TEST(KeystateDecoding, OnlyALockedKeyIsLitAndUnknownKeysAreLeftAlone) {
  EXPECT_EQ(KeystateVirtualKey(0), kVkCapital);
  EXPECT_EQ(KeystateVirtualKey(1), kVkNumLock);
  EXPECT_EQ(KeystateVirtualKey(2), kVkScroll);
  EXPECT_EQ(KeystateVirtualKey(3), 0);
  std::array<bool, 3> lit{};
  EXPECT_FALSE(ApplyKeystateEvent(lit, 0, 1)) << "latched Caps";
  EXPECT_TRUE(ApplyKeystateEvent(lit, 0, 2));
  EXPECT_FALSE(ApplyKeystateEvent(lit, 0, 2)) << "KWin repeats unchanged keys";
  EXPECT_TRUE(ApplyKeystateEvent(lit, 1, 2));
  EXPECT_FALSE(ApplyKeystateEvent(lit, 3, 2));
  EXPECT_FALSE(ApplyKeystateEvent(lit, 0xFFFFFFFFu, 2));
  EXPECT_EQ(lit, (std::array<bool, 3>{true, true, false}));
  EXPECT_TRUE(ApplyKeystateEvent(lit, 0, 0));
  EXPECT_TRUE(ApplyKeystateEvent(lit, 1, 1));
  EXPECT_EQ(lit, (std::array<bool, 3>{false, false, false}));
}

}  // namespace
}  // namespace murvane::qt
