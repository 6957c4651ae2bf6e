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

using Names = std::vector<std::string>;

class NamedSource final : public KeySource {
 public:
  explicit NamedSource(std::string name) : name(std::move(name)) {}
  std::int16_t GetKeyState(int) override { return 0; }
  std::string name;
};

// Which source came out ("none" for the every-key-off one), which openers were
// tried, in order, and what was said; only the sources named in `working` open.
struct Outcome {
  std::string source;
  Names tried;
  std::vector<QString> warnings;
  Outcome(const SessionFacts& session, const Names& working) {
    auto opener = [&](const char* name) {
      return [this, &working, name]() -> std::unique_ptr<KeySource> {
        tried.push_back(name);
        if (std::ranges::find(working, name) == working.end()) return nullptr;
        return std::make_unique<NamedSource>(name);
      };
    };
    auto chosen = ChooseKeySource(session, {opener("xkb"), opener("keystate"), opener("leds")},
                                  [this](const QString& text) { warnings.push_back(text); });
    const auto* named = dynamic_cast<NamedSource*>(chosen.get());
    source = named ? named->name : "none";
  }
};

SessionFacts Session(bool wayland, bool x, const char* platform, const char* desktop = "") {
  return SessionFacts{wayland, x, QString::fromLatin1(platform), QString::fromLatin1(desktop)};
}

// XWayland's keyboard is stale on a Wayland session, and an X connection of ours
// would start it: whatever DISPLAY says, and even when Qt itself fell back to xcb.
// Only Qt's own platform decides X: offscreen with a DISPLAY opens no X connection.
// With nothing readable, the one warning names the session, so a report says where to look.
TEST(KeySourceChoice, XkbOnlyOnX11OverXcbThenKwinOnWaylandThenTheLedsElseOneWarning) {
  struct Row {
    SessionFacts session;
    Names working;
    const char* source;
    Names tried;
    std::string said{};  // what the one warning names; none when empty
  };
  const Names kAll = {"xkb", "keystate", "leds"};
  std::vector<Row> rows = {
      {Session(false, true, "xcb"), kAll, "xkb", {"xkb"}},
      {Session(false, true, "xcb"), {"keystate", "leds"}, "leds", {"xkb", "leds"}},
      {Session(false, true, "offscreen"), kAll, "leds", {"leds"}},
      {Session(false, true, "xcb"), {}, "none", {"xkb", "leds"}, "on this X11 session"},
      {Session(true, true, "wayland", "sway"),
       {},
       "none",
       {"keystate", "leds"},
       "on this Wayland (sway) session"}};
  for (const SessionFacts& wayland :
       {Session(true, true, "wayland"), Session(true, true, "xcb"), Session(true, false, "wayland"),
        Session(false, true, "wayland")}) {
    rows.push_back({wayland, kAll, "keystate", {"keystate"}});
    rows.push_back({wayland, {"xkb", "leds"}, "leds", {"keystate", "leds"}});
  }
  for (const Row& row : rows) {
    const Outcome outcome(row.session, row.working);
    const std::string platform = row.session.qtPlatform.toStdString();
    EXPECT_EQ(std::tie(outcome.source, outcome.tried), std::tie(row.source, row.tried)) << platform;
    EXPECT_EQ(outcome.warnings.size(), row.said.empty() ? 0u : 1u) << platform;
    for (const QString& warning : outcome.warnings)
      EXPECT_TRUE(warning.contains(QString::fromStdString(row.said))) << warning.toStdString();
  }
}

// Keyboards come and go (a dock, a Bluetooth one); a key is lit when any of them lights it.
TEST(LedKeyboard, AKeyIsOnWhenAnyKeyboardsLedIsLitAsKeyboardsComeAndGo) {
  QTemporaryDir leds;
  auto led = [&](const QString& name, const QByteArray& brightness) {
    QFile file(leds.filePath(name + "/brightness"));
    ASSERT_TRUE(QDir(leds.path()).mkpath(name) && file.open(QIODevice::WriteOnly));
    file.write(brightness);
  };
  led("input3::capslock", "0\n");
  led("input7::capslock", "1\n");
  led("input3::numlock", "");
  led("input3::scrolllock", "255\n");
  led("phy0-led::numlock", "1\n");  // not a keyboard
  LedKeyboardState keyboard(leds.path(), 0);
  EXPECT_TRUE(keyboard.HasLeds());
  EXPECT_EQ(keyboard.GetKeyState(qt::kVkCapital), 1);
  EXPECT_EQ(keyboard.GetKeyState(qt::kVkNumLock), 0);
  EXPECT_EQ(keyboard.GetKeyState(qt::kVkScroll), 1);
  EXPECT_FALSE(keyboard.Settled()) << "LEDs report no changes: the poll must go on";
  ASSERT_TRUE(QDir(leds.filePath("input7::capslock")).removeRecursively());
  EXPECT_EQ(keyboard.GetKeyState(qt::kVkCapital), 0);
  EXPECT_FALSE(LedKeyboardState(leds.filePath("missing"), 0).HasLeds());
}

// Steps of KWin's stateChanged (key 0-2 Caps, Num, Scroll; state 1 latched, 2 locked): only a
// locked key lights, KWin repeats unchanged keys, and keys it may add later are left alone.
TEST(KeystateDecoding, OnlyALockedKeyIsLitAndUnknownKeysAreLeftAlone) {
  const std::tuple<std::uint32_t, std::uint32_t, bool> steps[] = {
      {0, 1, false}, {0, 2, true}, {0, 2, false}, {1, 2, true},
      {3, 2, false}, {0, 0, true}, {1, 1, true}};
  std::array<bool, 3> lit{};
  for (const auto& [key, state, changed] : steps)
    EXPECT_EQ(ApplyKeystateEvent(lit, key, state), changed) << key << " " << state;
  EXPECT_EQ(lit, (std::array<bool, 3>{false, false, false}));
}

}  // namespace
}  // namespace murvane::linux_desktop
