// Which lock-key source each kind of session gets, the keyboard LEDs read from a
// folder laid out as /sys/class/leds, and KWin's keystate events decoded.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/linux/keys/key_source_choice.h"
#include "platform/linux/keys/kwin_keystate.h"
#include "platform/linux/keys/leds.h"

namespace murvane::linux_desktop {
namespace {

class NamedSource final : public KeySource {
 public:
  explicit NamedSource(std::string name) : name(std::move(name)) {}
  std::int16_t GetKeyState(int) override { return 0; }
  std::string name;
};

// Which source came out ("none" for the every-key-off one), which openers were
// tried, in order, and what was said.
struct Outcome {
  std::string source;
  std::vector<std::string> tried;
  std::vector<QString> warnings;
};

using Names = std::vector<std::string>;

// Only the sources named in `working` open.
Outcome Choose(const SessionFacts& session, const Names& working) {
  Outcome outcome;
  auto opener = [&](const char* name) {
    return [&outcome, &working, name]() -> std::unique_ptr<KeySource> {
      outcome.tried.push_back(name);
      if (std::find(working.begin(), working.end(), name) == working.end()) return nullptr;
      return std::make_unique<NamedSource>(name);
    };
  };
  const KeySourceOpeners openers{opener("xkb"), opener("keystate"), opener("leds")};
  auto source = ChooseKeySource(
      session, openers, [&outcome](const QString& text) { outcome.warnings.push_back(text); });
  const auto* named = dynamic_cast<NamedSource*>(source.get());
  outcome.source = named ? named->name : "none";
  return outcome;
}

SessionFacts Session(bool wayland, bool x, const char* platform, const char* desktop = "") {
  return SessionFacts{wayland, x, QString::fromLatin1(platform), QString::fromLatin1(desktop)};
}

// XWayland's keyboard is stale on a Wayland session, and an X connection of ours
// would start it: whatever DISPLAY says, and even when Qt itself fell back to xcb.
// Only Qt's own platform decides X: offscreen with a DISPLAY opens no X connection.
TEST(KeySourceChoice, XkbOnlyOnX11OverXcbThenKwinOnWaylandThenTheLeds) {
  struct Row {
    SessionFacts session;
    Names working;
    const char* source;
    Names tried;
  };
  const Names kAll = {"xkb", "keystate", "leds"};
  std::vector<Row> rows = {
      {Session(false, true, "xcb"), kAll, "xkb", {"xkb"}},
      {Session(false, true, "xcb"), {"keystate", "leds"}, "leds", {"xkb", "leds"}},
      {Session(false, true, "offscreen"), kAll, "leds", {"leds"}}};
  for (const SessionFacts& wayland :
       {Session(true, true, "wayland"), Session(true, true, "xcb"), Session(true, false, "wayland"),
        Session(false, true, "wayland")}) {
    rows.push_back({wayland, kAll, "keystate", {"keystate"}});
    rows.push_back({wayland, {"xkb", "leds"}, "leds", {"keystate", "leds"}});
  }
  for (const Row& row : rows) {
    const Outcome outcome = Choose(row.session, row.working);
    EXPECT_EQ(outcome.source, row.source) << row.session.qtPlatform.toStdString();
    EXPECT_EQ(outcome.tried, row.tried) << row.session.qtPlatform.toStdString();
    EXPECT_TRUE(outcome.warnings.empty());
  }
}

TEST(KeySourceChoice, NothingReadableIsSaidOnceNamingTheSession) {
  const std::pair<SessionFacts, const char*> rows[] = {
      {Session(true, true, "wayland", "sway"),
       "no keystate from the compositor and no keyboard LEDs readable on this Wayland (sway) "
       "session"},
      {Session(false, true, "xcb"),
       "no X keyboard extension and no keyboard LEDs readable on this X11 session"},
      {Session(false, false, "offscreen"), "no keyboard LEDs readable on this X11 session"}};
  for (const auto& [session, why] : rows) {
    const Outcome outcome = Choose(session, {});
    EXPECT_EQ(outcome.source, "none");
    EXPECT_EQ(outcome.warnings, std::vector<QString>{QStringLiteral("murvane: ") + why +
                                                     "; every lock key reads as off"});
  }
}

// --- The LEDs ---------------------------------------------------------------

// A folder laid out as /sys/class/leds: Led("input3::capslock", "1\n").
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

// Keyboards come and go (a dock, a Bluetooth one); a key is lit when any of them lights it.
TEST(LedKeyboard, AKeyIsOnWhenAnyKeyboardsLedIsLitAsKeyboardsComeAndGo) {
  LedFolder leds;
  leds.Led("input3::capslock", "0\n");
  leds.Led("input7::capslock", "1\n");
  leds.Led("input3::numlock", "");
  leds.Led("input3::scrolllock", "255\n");
  leds.Led("phy0-led::numlock", "1\n");                                 // not a keyboard
  ASSERT_TRUE(QDir(leds.Path()).mkpath("input7::numlock/brightness"));  // not a file
  LedKeyboardState keyboard(leds.Path(), 0);
  EXPECT_TRUE(keyboard.HasLeds());
  EXPECT_EQ(keyboard.GetKeyState(qt::kVkCapital), 1);
  EXPECT_EQ(keyboard.GetKeyState(qt::kVkNumLock), 0);
  EXPECT_EQ(keyboard.GetKeyState(qt::kVkScroll), 1);
  EXPECT_EQ(keyboard.GetKeyState(0x41), 0);
  EXPECT_FALSE(keyboard.Settled()) << "LEDs report no changes: the poll must go on";
  leds.Unplug("input7::capslock");
  EXPECT_EQ(keyboard.GetKeyState(qt::kVkCapital), 0);
  leds.Led("input9::capslock", "1\n");
  EXPECT_EQ(keyboard.GetKeyState(qt::kVkCapital), 1);
  EXPECT_FALSE(LedKeyboardState(leds.Path() + "/missing", 0).HasLeds());
}

// --- KWin's keystate ---------------------------------------------------------

TEST(KeystateDecoding, OnlyALockedKeyIsLitAndUnknownKeysAreLeftAlone) {
  EXPECT_EQ(KeystateVirtualKey(0), qt::kVkCapital);
  EXPECT_EQ(KeystateVirtualKey(1), qt::kVkNumLock);
  EXPECT_EQ(KeystateVirtualKey(2), qt::kVkScroll);
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
}  // namespace murvane::linux_desktop
