#include "platform/linux/desktop/colour_scheme.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace murvane::linux_desktop {
namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kAppearance = QStringLiteral("org.freedesktop.appearance");
const QString kColourScheme = QStringLiteral("color-scheme");
constexpr uint kPreferDark = 1;

// Older portals wrap the value in a second variant.
uint SchemeOf(QVariant value) {
  while (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
    value = value.value<QDBusVariant>().variant();
  }
  return value.toUInt();
}

}  // namespace

DesktopColourScheme::DesktopColourScheme(const QString& desktop) {
  if (desktop.split(QLatin1Char(':')).contains(QStringLiteral("GNOME"), Qt::CaseInsensitive)) {
    dark_ = true;
    return;
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  // Qt finds the slot's argument types by name, and nothing has used this one yet.
  qRegisterMetaType<QDBusVariant>();
  bus.connect(kPortal, kPortalPath, kSettings, QStringLiteral("SettingChanged"), this,
              SLOT(SettingChanged(QString, QString, QDBusVariant)));
  QDBusMessage read =
      QDBusMessage::createMethodCall(kPortal, kPortalPath, kSettings, QStringLiteral("Read"));
  read << kAppearance << kColourScheme;
  auto* answer = new QDBusPendingCallWatcher(bus.asyncCall(read), this);
  connect(answer, &QDBusPendingCallWatcher::finished, this, &DesktopColourScheme::ReadAnswered);
}

// An error or no answer at all leaves light.
void DesktopColourScheme::ReadAnswered(QDBusPendingCallWatcher* read) {
  read->deleteLater();
  const QDBusMessage reply = read->reply();
  if (announced_ || reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
    return;
  }
  Become(SchemeOf(reply.arguments().first()) == kPreferDark);
}

void DesktopColourScheme::SettingChanged(const QString& group, const QString& key,
                                         const QDBusVariant& value) {
  if (group != kAppearance || key != kColourScheme) return;
  announced_ = true;
  Become(SchemeOf(value.variant()) == kPreferDark);
}

void DesktopColourScheme::Become(bool dark) {
  if (dark == dark_) return;
  dark_ = dark;
  if (onChange_) onChange_();
}

}  // namespace murvane::linux_desktop
