#include "platform/linux/desktop/bus_display.h"

#include <QCryptographicHash>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>
#include <utility>

#include "platform/linux/desktop/desktop_notice.h"
#include "platform/linux/session/bus_probe.h"
#include "platform/qt/text.h"

namespace murvane::linux_desktop {
namespace {

const QString kPlasmaShell = QStringLiteral("org.kde.plasmashell");
// The display is gone by then: a later answer would be about a stale one.
constexpr int kAnswerMs = 1500;
constexpr int kShownMs = 1500;
constexpr std::uint8_t kLowUrgency = 0;
constexpr int kPictureSize = 32;  // at 96 dpi; Qt scales it with the density
// Three keys, on and off, on a light and on a dark ground.
constexpr std::size_t kKeptFiles = 12;

// A service that is there but slow keeps its place; any other failure means
// the next one is to be asked.
bool Unanswered(const QDBusError& error) {
  return error.type() == QDBusError::NoReply || error.type() == QDBusError::Timeout;
}

QVariant ImageData(const QIcon& picture) {
  const QImage image =
      picture.pixmap(kPictureSize).toImage().convertToFormat(QImage::Format_RGBA8888);
  QDBusArgument data;
  data.beginStructure();
  data << image.width() << image.height() << static_cast<int>(image.bytesPerLine()) << true << 8
       << 4
       << QByteArray(reinterpret_cast<const char*>(image.constBits()),
                     static_cast<qsizetype>(image.sizeInBytes()));
  data.endStructure();
  return QVariant::fromValue(data);
}

QVariantMap DisplayHints(const QIcon& picture) {
  QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(kLowUrgency)},
                    {QStringLiteral("transient"), true}};
  if (!picture.isNull()) hints.insert(QStringLiteral("image-data"), ImageData(picture));
  return hints;
}

// The desktop draws its display's picture far larger than a tray does.
QImage LargestImage(const QIcon& picture) {
  QSize largest(kPictureSize, kPictureSize);
  for (const QSize& size : picture.availableSizes())
    if (size.width() > largest.width()) largest = size;
  return picture.pixmap(largest, 1.0).toImage();
}

QByteArray PixelsName(const QImage& image) {
  const QByteArrayView pixels(image.constBits(), image.sizeInBytes());
  return QCryptographicHash::hash(pixels, QCryptographicHash::Sha1).toHex() + '-' +
         QByteArray::number(image.width());
}

QString RuntimeFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

}  // namespace

BusDisplay::BusDisplay(qt::QtPictureSource& pictures) : pictures_(pictures) {}

void BusDisplay::Show(const std::vector<DisplayRow>& rows) {
  if (rows.empty() || !HaveSessionBus()) return;
  WatchForOsd();
  const PicturePtr& first = rows.front().picture;
  Content content{first ? pictures_.IconOf(first->Handle()) : QIcon(), {}};
  for (const DisplayRow& row : rows) content.texts << qt::ToQString(row.text);
  if (osdAbsent_) return SendToNotifications(content);
  SendToOsd(content);
}

// Set up only once the program shows something: by then the bus is known to
// answer, and a session that never shows a display never asks at all. A shell
// that starts after Murvane takes the display over from the notifications.
void BusDisplay::WatchForOsd() {
  if (!osdShell_.watchedServices().isEmpty()) return;
  osdShell_.setConnection(QDBusConnection::sessionBus());
  osdShell_.setWatchMode(QDBusServiceWatcher::WatchForRegistration);
  osdShell_.setWatchedServices({kPlasmaShell});
  QObject::connect(&osdShell_, &QDBusServiceWatcher::serviceRegistered, &calls_,
                   [this] { osdAbsent_ = false; });
}

void BusDisplay::SendToOsd(const Content& content) {
  QDBusMessage call = QDBusMessage::createMethodCall(
      kPlasmaShell, QStringLiteral("/org/kde/osdService"), QStringLiteral("org.kde.osdService"),
      QStringLiteral("showText"));
  // Plasma's display has one line, and cuts it short at a line break.
  call << PictureFile(content.picture) << content.texts.join(QStringLiteral(", "));
  // Only a shell the user runs draws it; the bus is not to start one.
  call.setAutoStartService(false);
  OnAnswer(QDBusConnection::sessionBus().asyncCall(call, kAnswerMs),
           [this, content](const QDBusPendingCall& answer) {
             if (!answer.isError() || Unanswered(answer.error())) return;
             osdAbsent_ = true;
             SendToNotifications(content);
           });
}

// The first row is the title, the others its lines; replacing the last one
// keeps a burst of key changes to a single notification.
void BusDisplay::SendToNotifications(const Content& content) {
  const NotifyRequest request{content.texts.front(), content.texts.mid(1).join(u'\n'),
                              DisplayHints(content.picture), lastNotification_, kShownMs};
  OnAnswer(QDBusConnection::sessionBus().asyncCall(NotifyCall(request), kAnswerMs),
           [this](const QDBusPendingCall& answer) {
             const QDBusPendingReply<std::uint32_t> reply = answer;
             if (reply.isValid()) {
               lastNotification_ = reply.value();
             } else if (!Unanswered(reply.error())) {
               SayNoServiceOnce();
             }
           });
}

void BusDisplay::OnAnswer(const QDBusPendingCall& call,
                          std::function<void(const QDBusPendingCall&)> then) {
  ++waiting_;
  auto* watcher = new QDBusPendingCallWatcher(call, &calls_);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &calls_,
                   [this, then = std::move(then)](QDBusPendingCallWatcher* answered) {
                     --waiting_;
                     answered->deleteLater();
                     then(*answered);
                   });
}

void BusDisplay::SayNoServiceOnce() {
  if (std::exchange(saidNoService_, true)) return;
  std::fprintf(stderr,
               "murvane: no on-screen display: the session bus has neither org.kde.osdService "
               "nor org.freedesktop.Notifications\n");
}

// Named by the picture's pixels, so an unchanged picture is written once
// however often its handle changes, and a changed one never reuses a name
// the desktop may have cached.
QString BusDisplay::PictureFile(const QIcon& picture) {
  if (picture.isNull()) return {};
  const QImage image = LargestImage(picture);
  const QByteArray key = PixelsName(image);
  for (auto kept = files_.begin(); kept != files_.end(); ++kept) {
    if (kept->first != key) continue;
    auto used = *kept;
    files_.erase(kept);
    files_.push_back(used);
    return used.second;
  }
  if (!folder_)
    folder_ = std::make_unique<QTemporaryDir>(RuntimeFolder() + "/murvane-display-XXXXXX");
  const QString path = folder_->filePath(QString::fromLatin1(key) + ".png");
  if (!folder_->isValid() || !image.save(path, "PNG")) return {};
  files_.emplace_back(key, path);
  if (files_.size() > kKeptFiles) {
    QFile::remove(files_.front().second);
    files_.pop_front();
  }
  return path;
}

}  // namespace murvane::linux_desktop
