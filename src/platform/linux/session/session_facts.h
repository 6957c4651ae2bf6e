// What kind of desktop session Murvane runs in, read once from the environment
// and from Qt: the one place that looks at WAYLAND_DISPLAY, DISPLAY and
// XDG_CURRENT_DESKTOP.
#pragma once

#include <QString>

namespace murvane::linux_desktop {

// What decides the source: a session is Wayland when WAYLAND_DISPLAY is set or
// Qt runs on wayland, whatever DISPLAY says, because XWayland's keyboard follows
// the compositor only while an X11 window has the focus.
struct SessionFacts {
  bool waylandDisplay = false;
  bool xDisplay = false;
  QString qtPlatform;  // "xcb", "wayland", "offscreen", ...
  QString desktop;     // XDG_CURRENT_DESKTOP, to name the session
};
SessionFacts CurrentSession();
bool IsWaylandSession(const SessionFacts& session);
// "Wayland (GNOME)", "X11": how the session is named to the user.
QString SessionName(const SessionFacts& session);

}  // namespace murvane::linux_desktop
