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
#include <vector>

#include "platform/qt/key_source.h"

namespace murvane::qt {

class QuietTicks {
 public:
  explicit QuietTicks(KeySource& keys);
  QuietTicks(const QuietTicks&) = delete;
  QuietTicks& operator=(const QuietTicks&) = delete;

  // Connect after the program's own handler, so this runs after each tick.
  void Attach(QTimer& timer);
  // The program did something: keep ticking (tick again within the interval).
  void Activity();
  // The keys changed: tick now.
  void KeyChanged();

 private:
  struct Poll {
    QPointer<QTimer> timer;
    int intervalMs;
  };
  void AfterTick(Poll& poll);

  KeySource& keys_;
  std::vector<Poll> polls_;
  bool busy_ = false;        // something happened since the last tick ended
  bool keyChanged_ = false;  // a key event came since the last tick ended
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
