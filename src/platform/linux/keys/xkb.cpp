// Qt's headers first: Xlib defines Bool, Status and None as macros.
#include <QSocketNotifier>

#include "platform/linux/keys/xkb.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace murvane::linux_desktop {
namespace {

// One keymap answer serves all the reads of one tick.
constexpr int kKeysFreshMs = 20;

constexpr unsigned long kWatchedEvents = XkbIndicatorStateNotifyMask | XkbIndicatorMapNotifyMask |
                                         XkbNamesNotifyMask | XkbNewKeyboardNotifyMask |
                                         XkbMapNotifyMask;

}  // namespace

std::unique_ptr<XkbKeyboardState> XkbKeyboardState::Open() {
  int eventBase = 0, errorBase = 0, major = XkbMajorVersion, minor = XkbMinorVersion, reason = 0;
  Display* display = XkbOpenDisplay(nullptr, &eventBase, &errorBase, &major, &minor, &reason);
  if (!display) return nullptr;
  return std::unique_ptr<XkbKeyboardState>(new XkbKeyboardState(display, eventBase));
}

XkbKeyboardState::XkbKeyboardState(Display* display, int eventBase)
    : display_(display),
      eventBase_(eventBase),
      locks_{{{qt::kVkCapital, "Caps Lock", XK_Caps_Lock},
              {qt::kVkNumLock, "Num Lock", XK_Num_Lock},
              {qt::kVkScroll, "Scroll Lock", XK_Scroll_Lock}}} {
  XkbSelectEvents(display_, XkbUseCoreKbd, kWatchedEvents, kWatchedEvents);
  // A held lock key reads as off, and its release changes no indicator: the base
  // modifiers it releases are the only news of it.
  XkbSelectEventDetails(display_, XkbUseCoreKbd, XkbStateNotify, XkbAllStateComponentsMask,
                        XkbModifierBaseMask);
  ResolveNames();
  notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                   [this] { ProcessEvents(QueuedAfterReading); });
  XFlush(display_);
}

XkbKeyboardState::~XkbKeyboardState() {
  notifier_.reset();
  XCloseDisplay(display_);
}

// Which bit each indicator is and whether it is lit; runs again whenever the
// keymap or its indicator names change.
void XkbKeyboardState::ResolveNames() {
  for (Lock& lock : locks_) {
    const Atom name = XInternAtom(display_, lock.indicator, False);
    int index = -1;
    Bool lit = False;
    if (XkbGetNamedIndicator(display_, name, &index, &lit, nullptr, nullptr)) {
      lock.index = index;
      lock.lit = lit;
    } else {
      lock.index = -1;
      lock.lit = false;
    }
    lock.keycode = XKeysymToKeycode(display_, lock.keysym);
  }
}

// Takes what has arrived without waiting for more. After a round trip only the
// queue is looked at: the reply's read queued any events that came with it, which
// the socket notifier will not announce again; that costs no system call.
void XkbKeyboardState::ProcessEvents(int mode) {
  bool keymapChanged = false;
  bool changed = false;
  while (XEventsQueued(display_, mode) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == MappingNotify) {
      XRefreshKeyboardMapping(&event.xmapping);
      keymapChanged = true;
    }
    if (event.type != eventBase_ + XkbEventCode) continue;
    const auto& xkb = reinterpret_cast<const XkbEvent&>(event);
    if (xkb.any.xkb_type == XkbStateNotify) {
      keysRead_.invalidate();
      changed = changed || !Settled();
      continue;
    }
    if (xkb.any.xkb_type != XkbIndicatorStateNotify) {
      keymapChanged = true;
      continue;
    }
    for (Lock& lock : locks_) {
      if (lock.index < 0) continue;
      const bool lit = (xkb.indicators.state >> lock.index) & 1u;
      changed = changed || lit != lock.lit;
      lock.lit = lit;
    }
  }
  if (keymapChanged) ResolveNames();
  if (changed || keymapChanged) Changed();
}

bool XkbKeyboardState::Settled() const {
  for (const Lock& lock : locks_) {
    if (lock.held) return false;
  }
  return true;
}

bool XkbKeyboardState::Held(unsigned char keycode) {
  if (keycode == 0) return false;
  if (!keysRead_.isValid() || keysRead_.elapsed() > kKeysFreshMs) {
    XQueryKeymap(display_, keys_.data());
    keysRead_.start();
  }
  return (static_cast<unsigned char>(keys_[keycode / 8]) >> (keycode % 8)) & 1u;
}

std::int16_t XkbKeyboardState::GetKeyState(int virtualKey) {
  for (Lock& lock : locks_) {
    if (lock.virtualKey != virtualKey) continue;
    // The program counts only exactly 1 as on, so the held bit changes what it
    // sees only while the key is lit; an unlit key costs the server nothing.
    lock.held = lock.lit && Held(lock.keycode);
    ProcessEvents(QueuedAlready);
    return qt::KeyStateValue(lock.lit, lock.held);
  }
  return 0;
}

}  // namespace murvane::linux_desktop
