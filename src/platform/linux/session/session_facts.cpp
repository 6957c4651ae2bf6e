#include "platform/linux/session/session_facts.h"

#include <QGuiApplication>

namespace murvane::linux_desktop {

SessionFacts CurrentSession() {
  SessionFacts session;
  session.waylandDisplay = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  session.xDisplay = !qEnvironmentVariableIsEmpty("DISPLAY");
  session.qtPlatform = QGuiApplication::platformName();
  session.desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
  return session;
}

bool IsWaylandSession(const SessionFacts& session) {
  return session.waylandDisplay || session.qtPlatform == QLatin1String("wayland");
}

QString SessionName(const SessionFacts& session) {
  const QString kind =
      IsWaylandSession(session) ? QStringLiteral("Wayland") : QStringLiteral("X11");
  if (session.desktop.isEmpty()) return kind;
  return kind + QStringLiteral(" (") + session.desktop + QLatin1Char(')');
}

}  // namespace murvane::linux_desktop
