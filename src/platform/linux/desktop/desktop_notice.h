// What Murvane must tell someone who never reads its error output: that no
// lock key can be read, or that this desktop shows no tray icons. Each goes to
// stderr and, where the session has one, to the desktop's notification list
// (org.freedesktop.Notifications). The notice is sent without waiting for an
// answer, so a slow or missing service never holds up the start.
#pragma once

#include <QDBusMessage>
#include <QString>
#include <QVariantMap>
#include <cstdint>

#include "platform/linux/session/session_facts.h"

namespace murvane::linux_desktop {

struct DesktopNotice {
  QString summary;
  QString body;
};

// In Italian, like the windows.
DesktopNotice NoKeySourceNotice(const SessionFacts& session);
DesktopNotice NoTrayNotice(int waitedSeconds);

void ShowDesktopNotice(const DesktopNotice& notice);

// One Notify call from Murvane, the notices' and the on-screen display's alike:
// the same name, icon and menu entry, so a notification list groups them.
struct NotifyRequest {
  QString summary;
  QString body;
  QVariantMap hints;
  std::uint32_t replacesId = 0;
  int timeoutMs = -1;  // the server decides
};
QDBusMessage NotifyCall(const NotifyRequest& request);

}  // namespace murvane::linux_desktop
