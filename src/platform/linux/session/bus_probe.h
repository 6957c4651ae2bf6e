// Whether Murvane uses a D-Bus session bus, decided once before Qt first looks.
// With none in the environment, libdbus would launch a daemon of its own that
// outlives Murvane; with one that never answers (a stopped daemon), Qt's first
// call would block for good. Either way Murvane goes without D-Bus: an XEmbed
// tray still shows its icons.
#pragma once

namespace murvane::linux_desktop {

// Before QApplication: where no bus answers, the environment says there is none.
void UseNoSessionBusUnlessOneAnswers();

bool HaveSessionBus();

}  // namespace murvane::linux_desktop
