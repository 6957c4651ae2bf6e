// Whether the X11 window in front fills its screen: a film, a game or a
// presentation, over which nothing of Murvane should appear.
#pragma once

namespace murvane::linux_desktop {

// The active window's _NET_WM_STATE holds _NET_WM_STATE_FULLSCREEN; false when
// the program does not run on X11 or the window manager does not say.
bool ActiveWindowIsFullScreen();

}  // namespace murvane::linux_desktop
