// Qt's headers first: Xlib defines Bool, Status and None as macros.
#include "platform/linux/desktop/task_list_x11.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <algorithm>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace murvane::linux_desktop {
namespace {

// Qt's own connection: on it the property is written after Qt has made the
// window, and before Qt reads the property back to merge its own states at
// mapping. A connection of our own could overtake Qt's and find no window yet.
Display* Connection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->display() : nullptr;
}

// A window manager owns the state of a mapped window and changes it on request.
void AskWindowManager(Display* display, Window window, Atom state, Atom skip, bool add) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = state;
  event.xclient.format = 32;
  event.xclient.data.l[0] = add ? 1 : 0;
  event.xclient.data.l[1] = static_cast<long>(skip);
  event.xclient.data.l[3] = 1;  // a normal application
  XSendEvent(display, DefaultRootWindow(display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

// Before mapping, and where no window manager runs, the property itself is the state.
void RewriteProperty(Display* display, Window window, Atom state, const std::vector<Atom>& skips,
                     bool add) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<Atom> atoms;
  if (XGetWindowProperty(display, window, state, 0, 64, False, XA_ATOM, &type, &format, &count,
                         &after, &data) == Success &&
      data) {
    const auto* held = reinterpret_cast<const Atom*>(data);
    for (unsigned long i = 0; i < count; ++i) {
      if (std::find(skips.begin(), skips.end(), held[i]) == skips.end()) atoms.push_back(held[i]);
    }
    XFree(data);
  }
  if (add) atoms.insert(atoms.end(), skips.begin(), skips.end());
  XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(atoms.data()),
                  static_cast<int>(atoms.size()));
}

}  // namespace

void SetListedInTaskList(QWidget& widget, bool listed) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  Display* display = Connection();
  if (!display) return;
  const auto window = static_cast<Window>(widget.winId());  // made, never mapped by this
  const Atom state = XInternAtom(display, "_NET_WM_STATE", False);
  const std::vector<Atom> skips = {XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False),
                                   XInternAtom(display, "_NET_WM_STATE_SKIP_PAGER", False)};
  RewriteProperty(display, window, state, skips, !listed);
  if (widget.isVisible()) {
    for (Atom skip : skips) AskWindowManager(display, window, state, skip, !listed);
  }
  XFlush(display);
}

}  // namespace murvane::linux_desktop
