// What a screen reader hears of Murvane's windows beyond what Qt's widgets say
// by themselves: the windows as dialogs, the key frames as named groups, the
// pictures as named images, the About window's link as a link that can be pressed.
#pragma once

namespace murvane::qt {

// Installs the interfaces once per process; later calls do nothing.
void InstallAccessibility();

}  // namespace murvane::qt
