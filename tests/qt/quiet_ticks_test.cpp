// The poll sleeps after a quiet tick and no change the tray should show is lost
// or waits for a tick that never comes.
#include <gtest/gtest.h>

#include <QTimer>
#include <array>

#include "platform/qt/quiet_ticks.h"
#include "support/qt_test_app.h"

namespace murvane::qt {
namespace {

using test::App;
using test::RunUntil;

// Caps only. `onRead` runs after a read, as events processed inside a read do.
class ScriptedKeys final : public KeySource {
 public:
  std::int16_t GetKeyState(int) override {
    const bool was = lit;
    if (auto call = std::exchange(onRead, nullptr)) call();
    return KeyStateValue(was, false);
  }
  bool Settled() const override { return settled; }
  void Toggle() {
    lit = !lit;
    Changed();
  }

  bool lit = false;
  bool settled = true;
  std::function<void()> onRead;
};

// The program's poll as the tray sees it: a 100 ms timer whose tick reads the key
// and, when it differs from what it showed, shows it (a tray call).
class Poll {
 public:
  explicit Poll(ScriptedKeys& keys) : quiet(keys), keys_(keys) {
    timer.setInterval(100);
    QObject::connect(&timer, &QTimer::timeout, &timer, [this] { Tick(); });
    quiet.Attach(timer);
    // When the tick after each one is due: 0 at once, -1 asleep.
    QObject::connect(&timer, &QTimer::timeout, &timer,
                     [this] { next.push_back(timer.isActive() ? timer.interval() : -1); });
    timer.start();
  }
  bool Asleep() {
    return RunUntil([this] { return !timer.isActive(); }, 5000);
  }

  QTimer timer;
  QuietTicks quiet;
  int ticks = 0;
  std::optional<bool> shown;
  std::vector<int> next;

 private:
  void Tick() {
    ++ticks;
    const bool on = keys_.GetKeyState(kVkCapital) == 1;
    if (shown == on) return;
    shown = on;
    quiet.Activity();
  }
  ScriptedKeys& keys_;
};

TEST(QuietTicks, SleepsAfterAQuietTickAndKeyEventsWakeIt) {
  App();
  ScriptedKeys keys;
  Poll poll(keys);
  ASSERT_TRUE(poll.Asleep());
  EXPECT_EQ(poll.ticks, 2) << "the first tick shows the key, the second is quiet";
  EXPECT_EQ(poll.shown, false);
  keys.Toggle();
  EXPECT_TRUE(poll.timer.isActive());
  EXPECT_TRUE(RunUntil([&] { return poll.shown == true; }));
  ASSERT_TRUE(poll.Asleep());
  EXPECT_EQ(poll.ticks, 4) << "one tick for the event, one in case it came mid-tick";
}

// An event handled inside a tick, after the key was read, leaves a tick that saw
// nothing new: it must not put the poll to sleep.
TEST(QuietTicks, AChangeDuringATickAfterTheReadGetsAnotherTick) {
  App();
  ScriptedKeys keys;
  Poll poll(keys);
  ASSERT_TRUE(poll.Asleep());
  poll.quiet.Activity();  // something else woke it; this tick reads Caps off
  keys.onRead = [&keys] { keys.Toggle(); };
  poll.next.clear();
  ASSERT_TRUE(poll.Asleep());
  EXPECT_EQ(poll.shown, true);
  ASSERT_FALSE(poll.next.empty());
  EXPECT_EQ(poll.next[0], 0) << "the change is shown by a tick at once, not a poll later";
}

// A lit key held down reads as off, and its release sends no event: while the source is
// not settled, the poll goes on.
TEST(QuietTicks, AnUnsettledSourceKeepsThePollGoing) {
  App();
  ScriptedKeys keys;
  keys.settled = false;
  Poll poll(keys);
  EXPECT_TRUE(RunUntil([&] { return poll.ticks >= 4; }, 5000));
  EXPECT_TRUE(poll.timer.isActive());
}

// Each timer keeps its own account: the first to tick after a key event must not
// put the other to sleep before that one has read the key.
TEST(QuietTicks, EveryTimerGetsItsOwnTicksAfterAKeyEvent) {
  App();
  ScriptedKeys keys;
  QuietTicks quiet(keys);
  std::array<QTimer, 2> timers;
  std::array<int, 2> ticks{};
  for (std::size_t i = 0; i < timers.size(); ++i) {
    timers[i].setInterval(100);
    QObject::connect(&timers[i], &QTimer::timeout, &timers[i], [&ticks, i] { ++ticks[i]; });
    quiet.Attach(timers[i]);
  }
  keys.Toggle();
  ASSERT_TRUE(RunUntil([&] { return !timers[0].isActive() && !timers[1].isActive(); }, 5000));
  EXPECT_EQ(ticks, (std::array<int, 2>{2, 2})) << "the event's tick and one in case, for each";
}

}  // namespace
}  // namespace murvane::qt
