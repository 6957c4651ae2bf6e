#include "platform/qt/quiet_ticks.h"

namespace murvane::qt {

QuietTicks::QuietTicks(KeySource& keys) : keys_(keys) {
  keys_.OnChange([this] { KeyChanged(); });
}

void QuietTicks::Attach(QTimer& timer) {
  polls_.push_back({&timer, timer.interval()});
  const std::size_t at = polls_.size() - 1;
  QObject::connect(&timer, &QTimer::timeout, &timer, [this, at] { AfterTick(polls_[at]); });
}

void QuietTicks::Activity() {
  busy_ = true;
  for (Poll& poll : polls_) {
    if (poll.timer && !poll.timer->isActive()) poll.timer->start(poll.intervalMs);
  }
}

void QuietTicks::KeyChanged() {
  busy_ = keyChanged_ = true;
  for (Poll& poll : polls_) {
    if (poll.timer) poll.timer->start(0);
  }
}

// A key event during the tick may have come after its key was read, so one more
// tick follows at once; it costs a quiet tick when the event came before.
void QuietTicks::AfterTick(Poll& poll) {
  const bool keyChanged = std::exchange(keyChanged_, false);
  const bool quiet = !std::exchange(busy_, false) && keys_.Settled();
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
