#include "platform/linux/desktop/desktop_notice.h"

#include <QDBusConnection>

#include "platform/linux/session/bus_probe.h"

namespace murvane::linux_desktop {
namespace {

// The menu entry's name: a notification list shows the program's own icon by it.
const QString kDesktopEntry = QStringLiteral("com.example.murvane");
constexpr std::uint8_t kNormalUrgency = 1;

QString MissingKeySources(const SessionFacts& session) {
  if (IsWaylandSession(session)) {
    return QStringLiteral(
        "il compositore non fornisce lo stato dei tasti e non ci sono LED "
        "della tastiera leggibili");
  }
  if (session.qtPlatform == QLatin1String("xcb")) {
    return QStringLiteral(
        "il server X non ha l'estensione della tastiera (Xkb) e non ci sono "
        "LED della tastiera leggibili");
  }
  return QStringLiteral("non ci sono LED della tastiera leggibili");
}

}  // namespace

DesktopNotice NoKeySourceNotice(const SessionFacts& session) {
  return {QStringLiteral("Murvane non può leggere i tasti di blocco"),
          QStringLiteral("In questa sessione %1 %2, quindi ogni icona mostra il tasto spento. "
                         "Quali sessioni danno lo stato dei tasti e da dove: la tabella delle "
                         "fonti dei tasti nel README di Murvane, o «man murvane».")
              .arg(SessionName(session), MissingKeySources(session))};
}

DesktopNotice NoTrayNotice(int waitedSeconds) {
  return {QStringLiteral("Murvane: nessuna area di notifica"),
          QStringLiteral("Dopo %1 secondi questo desktop non mostra ancora icone nell'area di "
                         "notifica, quindi le icone di Murvane non si vedono. Su GNOME si "
                         "ottengono attivando l'estensione AppIndicator. Murvane resta in attesa: "
                         "le icone compaiono appena c'è un'area di notifica.")
              .arg(waitedSeconds)};
}

QDBusMessage NotifyCall(const NotifyRequest& request) {
  QDBusMessage notify = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.Notifications"),
      QStringLiteral("/org/freedesktop/Notifications"),
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
  QVariantMap hints = request.hints;
  hints.insert(QStringLiteral("desktop-entry"), kDesktopEntry);
  notify << QStringLiteral("Murvane") << request.replacesId << QStringLiteral("murvane")
         << request.summary << request.body << QStringList() << hints << request.timeoutMs;
  return notify;
}

void ShowDesktopNotice(const DesktopNotice& notice) {
  if (!HaveSessionBus()) return;
  const QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(kNormalUrgency)}};
  // No answer is awaited: the stderr line has said it already.
  QDBusConnection::sessionBus().send(NotifyCall({notice.summary, notice.body, hints}));
}

}  // namespace murvane::linux_desktop
