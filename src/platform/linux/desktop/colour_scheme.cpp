#include "platform/linux/desktop/colour_scheme.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcessEnvironment>

namespace murvane::linux_desktop {
namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kAppearance = QStringLiteral("org.freedesktop.appearance");
const QString kColourScheme = QStringLiteral("color-scheme");
constexpr uint kPreferDark = 1;
// A portal that hangs must not hold up the start; no answer means light.
constexpr int kReadTimeoutMs = 2000;

// Older portals wrap the value in a second variant.
uint SchemeOf(QVariant value) {
  while (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
    value = value.value<QDBusVariant>().variant();
  }
  return value.toUInt();
}

bool PortalPrefersDark(QDBusConnection& bus) {
  QDBusMessage read =
      QDBusMessage::createMethodCall(kPortal, kPortalPath, kSettings, QStringLiteral("Read"));
  read << kAppearance << kColourScheme;
  const QDBusMessage reply = bus.call(read, QDBus::Block, kReadTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
  return SchemeOf(reply.arguments().first()) == kPreferDark;
}

}  // namespace

DesktopColourScheme::DesktopColourScheme() {
  const QString desktop =
      QProcessEnvironment::systemEnvironment().value(QStringLiteral("XDG_CURRENT_DESKTOP"));
  gnome_ = desktop.split(QLatin1Char(':')).contains(QStringLiteral("GNOME"), Qt::CaseInsensitive);
  if (gnome_) {
    dark_ = true;
    return;
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  dark_ = PortalPrefersDark(bus);
  bus.connect(kPortal, kPortalPath, kSettings, QStringLiteral("SettingChanged"), this,
              SLOT(SettingChanged(QString, QString, QDBusVariant)));
}

void DesktopColourScheme::SettingChanged(const QString& group, const QString& key,
                                         const QDBusVariant& value) {
  if (group != kAppearance || key != kColourScheme) return;
  const bool dark = SchemeOf(value.variant()) == kPreferDark;
  if (dark == dark_) return;
  dark_ = dark;
  if (onChange_) onChange_();
}

}  // namespace murvane::linux_desktop
