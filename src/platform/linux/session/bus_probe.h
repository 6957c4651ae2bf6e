// Whether Murvane uses a D-Bus session bus, decided once before Qt first looks.
// With none in the environment, libdbus would launch a daemon of its own that
// outlives Murvane; with one that never answers (a stopped daemon), Qt's first
// call would block for good. Either way Murvane goes without D-Bus: an XEmbed
// tray still shows its icons.
//
// The question goes out only once this start knows it is the one Murvane of the
// session, so a start that hands over never touches the bus; one that never
// answers costs the start kBusAnswerMs.
#pragma once

namespace murvane::linux_desktop {

// A live daemon answers in well under a millisecond; half a second leaves a busy
// one room.
constexpr int kBusAnswerMs = 500;

// Asks the bus named by the environment, in the background.
void StartSessionBusProbe();
// Before anything uses D-Bus: waits for the answer and, where no bus answered,
// says why on stderr and makes the environment say there is none.
void SettleSessionBus();

bool HaveSessionBus();

}  // namespace murvane::linux_desktop
