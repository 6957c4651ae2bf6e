#include "platform/qt/quiet_ticks.h"

namespace murvane::qt {

QuietTicks::QuietTicks(KeySource& keys) : keys_(keys) {
  keys_.OnChange([this] { KeyChanged(); });
}

void QuietTicks::Attach(QTimer& timer) {
  Poll& poll = polls_.emplace_back(Poll{&timer, timer.interval()});
  QObject::connect(&timer, &QTimer::timeout, &timer, [this, &poll] { AfterTick(poll); });
}

void QuietTicks::Activity() {
  for (Poll& poll : polls_) {
    poll.busy = true;
    if (poll.timer && !poll.timer->isActive()) poll.timer->start(poll.intervalMs);
  }
}

void QuietTicks::KeyChanged() {
  for (Poll& poll : polls_) {
    poll.busy = poll.keyChanged = true;
    if (poll.timer) poll.timer->start(0);
  }
}

// A key event during the tick may have come after its key was read, so one more
// tick follows at once; it costs a quiet tick when the event came before.
void QuietTicks::AfterTick(Poll& poll) {
  const bool keyChanged = std::exchange(poll.keyChanged, false);
  const bool quiet = !std::exchange(poll.busy, false) && keys_.Settled();
  if (!poll.timer) return;
  if (keyChanged) {
    poll.timer->start(0);
  } else if (quiet) {
    poll.timer->stop();
  } else if (poll.timer->interval() != poll.intervalMs) {
    poll.timer->start(poll.intervalMs);
  }
}

}  // namespace murvane::qt
