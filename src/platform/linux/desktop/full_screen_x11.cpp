// Qt's headers first: Xlib defines Bool, Status and None as macros.
#include "platform/linux/desktop/full_screen_x11.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace murvane::linux_desktop {
namespace {

// Up to `limit` 32-bit items of a window's property; none when it is absent or
// of another type. A window that went in the meantime only answers nothing.
std::vector<unsigned long> Property(Display* display, Window window, const char* name, Atom type,
                                    long limit) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const int asked = XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, limit,
                                       False, type, &actualType, &format, &count, &after, &data);
  std::vector<unsigned long> items;
  if (asked == Success && data && format == 32 && actualType == type) {
    const auto* held = reinterpret_cast<const unsigned long*>(data);
    items.assign(held, held + count);
  }
  if (data) XFree(data);
  return items;
}

}  // namespace

// Asked on Qt's own connection, where the answer comes in one round trip each;
// the error handler Qt installs keeps a window gone meanwhile from ending the program.
bool ActiveWindowIsFullScreen() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return false;
  const auto active =
      Property(display, DefaultRootWindow(display), "_NET_ACTIVE_WINDOW", XA_WINDOW, 1);
  if (active.empty() || active.front() == None) return false;
  const auto states = Property(display, active.front(), "_NET_WM_STATE", XA_ATOM, 64);
  const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  for (unsigned long state : states) {
    if (state == fullScreen) return true;
  }
  return false;
}

}  // namespace murvane::linux_desktop
