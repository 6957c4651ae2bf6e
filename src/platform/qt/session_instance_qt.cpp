#include "platform/qt/session_instance_qt.h"

#include <unistd.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace murvane::qt {
namespace {

constexpr int kAnswerMs = 2000;
constexpr int kClaimLockMs = 5000;
const QByteArray kConfigure = "configure\n";
const QByteArray kExit = "exit\n";

// Socket names become file names; keep them to plain characters.
QString Plain(QString text) {
  for (QChar& c : text) {
    if (!c.isLetterOrNumber()) c = QLatin1Char('_');
  }
  return text;
}

}  // namespace

QString SessionSocketName() {
  QString session = qEnvironmentVariable("XDG_SESSION_ID");
  if (session.isEmpty()) session = qEnvironmentVariable("DISPLAY");
  return QStringLiteral("murvane-%1-%2").arg(getuid()).arg(Plain(session));
}

QtSessionInstance::QtSessionInstance(QString socketName) : name_(std::move(socketName)) {}

QtSessionInstance::~QtSessionInstance() = default;

// Two starts at the same moment must not both remove the other's socket, so the
// look-and-listen step runs under a lock file. A socket left by a Murvane that
// died answers no one and is removed.
bool QtSessionInstance::Claim(std::function<void(InstanceRequest)> onRequest) {
  QLockFile lock(QDir::temp().filePath(name_ + QStringLiteral(".lock")));
  lock.tryLock(kClaimLockMs);  // cannot tell: better two Murvanes than none
  QLocalSocket probe;
  probe.connectToServer(name_);
  if (probe.waitForConnected(kAnswerMs)) return false;
  onRequest_ = std::move(onRequest);
  Listen();
  return true;
}

void QtSessionInstance::Listen() {
  QLocalServer::removeServer(name_);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(),
                   [this] { ReadRequest(); });
  server_->listen(name_);
}

void QtSessionInstance::ReadRequest() {
  while (QLocalSocket* client = server_->nextPendingConnection()) {
    auto drain = [this, client] {
      while (client->canReadLine()) {
        const QByteArray line = client->readLine();
        if (!onRequest_) continue;
        if (line == kConfigure) onRequest_(InstanceRequest::ShowConfiguration);
        if (line == kExit) onRequest_(InstanceRequest::Exit);
      }
    };
    QObject::connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    QObject::connect(client, &QLocalSocket::readyRead, client, drain);
    drain();
  }
}

bool QtSessionInstance::AskRunning(InstanceRequest request) {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kAnswerMs)) return false;
  socket.write(request == InstanceRequest::Exit ? kExit : kConfigure);
  if (!socket.waitForBytesWritten(kAnswerMs)) return false;
  socket.disconnectFromServer();
  return true;
}

}  // namespace murvane::qt
