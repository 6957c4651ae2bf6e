// Lets the program's 100 ms poll sleep while nothing happens. A tick reads the
// keys and compares them with what earlier ticks saw, which only ticks change;
// so a tick that changed nothing, with no key event and no work of the program's
// since, is followed by ticks that change nothing. The poll sleeps after such a
// quiet tick and wakes at once on a key event, and on anything the program does
// (tray calls, window calls), which is how window, tray and instance events show.
// A source that cannot report every change (LEDs, a lit key held) keeps it going.
#pragma once

#include <QPointer>
#include <QTimer>
#include <deque>

#include "platform/qt/key_source.h"

namespace murvane::qt {

class QuietTicks {
 public:
  explicit QuietTicks(KeySource& keys);
  QuietTicks(const QuietTicks&) = delete;
  QuietTicks& operator=(const QuietTicks&) = delete;

  // Connect after the program's own handler, so this runs after each tick. The
  // interval the timer has now is the one it keeps while awake.
  void Attach(QTimer& timer);
  // The program did something: keep ticking (tick again within the interval).
  void Activity();
  // The keys changed: tick now.
  void KeyChanged();

 private:
  // Each timer's own: what one timer's tick has seen, another's has not.
  struct Poll {
    QPointer<QTimer> timer;
    int intervalMs;
    bool busy = false;        // something happened since its last tick ended
    bool keyChanged = false;  // a key event came since its last tick ended
  };
  void AfterTick(Poll& poll);

  KeySource& keys_;
  std::deque<Poll> polls_;  // a deque, so a tick's reference stays good as timers are added
};

// The program's tray calls, passed on; each counts as the program being busy.
class BusyNotificationArea final : public NotificationArea {
 public:
  BusyNotificationArea(NotificationArea& tray, QuietTicks& ticks) : tray_(tray), ticks_(ticks) {}
  bool Notify(NotifyMessage message, NotifyIconBuffer& record) override {
    ticks_.Activity();
    return tray_.Notify(message, record);
  }
  bool GroundIsDark() override { return tray_.GroundIsDark(); }

 private:
  NotificationArea& tray_;
  QuietTicks& ticks_;
};

}  // namespace murvane::qt
