// The end of the session on Linux: the session manager, or whoever ends the
// task, sends SIGTERM (or SIGHUP, SIGINT from a terminal). Each becomes the
// system's unload request, so the icons go before the process does.
#pragma once

#include <functional>

namespace murvane::linux_desktop {

// Installs the handlers; onEnd runs on the event loop's thread.
void OnSessionEnd(std::function<void()> onEnd);

}  // namespace murvane::linux_desktop
