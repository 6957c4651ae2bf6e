// Whether Murvane uses a D-Bus session bus, decided once before Qt first looks.
// With none in the environment, libdbus would launch a daemon of its own that
// outlives Murvane; with one that never answers (a stopped daemon), Qt's first
// call would block for good. Either way Murvane goes without D-Bus: an XEmbed
// tray still shows its icons.
//
// The question goes out before QApplication and is answered while Qt starts, so
// a bus that never answers costs the start only what is left of kBusAnswerMs.
#pragma once

namespace murvane::linux_desktop {

// A live daemon answers in well under a millisecond; half a second leaves a busy
// one room, and Qt's own start covers much of it.
constexpr int kBusAnswerMs = 500;

// Before QApplication: asks the bus named by the environment, in the background.
void StartSessionBusProbe();
// Before anything uses D-Bus: waits for the answer and, where no bus answered,
// says why on stderr and makes the environment say there is none.
void SettleSessionBus();

bool HaveSessionBus();

}  // namespace murvane::linux_desktop
