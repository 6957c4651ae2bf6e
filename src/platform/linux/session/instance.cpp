#include "platform/linux/session/instance.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <cstdio>

#include "platform/linux/session/socket_folder.h"

namespace murvane::linux_desktop {
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

// The listener's process runs as this user: SO_PEERCRED, from the kernel.
bool SameUser(const QLocalSocket& socket) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                    &size) == 0 &&
         peer.uid == getuid();
}

}  // namespace

QString SessionSocketName() {
  const QString folder = PrivateSocketFolder();
  if (folder.isEmpty()) return {};
  QString session = qEnvironmentVariable("XDG_SESSION_ID");
  if (session.isEmpty()) session = qEnvironmentVariable("DISPLAY");
  return folder + QStringLiteral("/murvane-%1-%2").arg(getuid()).arg(Plain(session));
}

SocketSessionInstance::SocketSessionInstance(QString socketName) : name_(std::move(socketName)) {}

SocketSessionInstance::~SocketSessionInstance() = default;

// Two starts at the same moment must not both remove the other's socket, so the
// look-and-listen step runs under a lock file. A socket left by a Murvane that
// died, or one of another user, answers no one and is removed.
bool SocketSessionInstance::Claim(std::function<void(InstanceRequest)> onRequest) {
  onRequest_ = std::move(onRequest);
  if (name_.isEmpty()) {
    std::fputs("murvane: no private folder for the session socket; later starts run apart\n",
               stderr);
    return true;
  }
  QLockFile lock(name_ + QStringLiteral(".lock"));
  lock.tryLock(kClaimLockMs);  // cannot tell: better two Murvanes than none
  QLocalSocket probe;
  probe.connectToServer(name_);
  if (probe.waitForConnected(kAnswerMs) && SameUser(probe)) return false;
  Listen();
  return true;
}

// Without the socket a later start cannot find this one and runs a second copy;
// this one goes on regardless.
void SocketSessionInstance::Listen() {
  QLocalServer::removeServer(name_);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(),
                   [this] { ReadRequest(); });
  if (!server_->listen(name_)) {
    std::fprintf(stderr, "murvane: cannot listen on %s: %s\n", qPrintable(name_),
                 qPrintable(server_->errorString()));
  }
}

void SocketSessionInstance::ReadRequest() {
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

bool SocketSessionInstance::AskRunning(InstanceRequest request) {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (name_.isEmpty() || !socket.waitForConnected(kAnswerMs) || !SameUser(socket)) return false;
  socket.write(request == InstanceRequest::Exit ? kExit : kConfigure);
  if (!socket.waitForBytesWritten(kAnswerMs)) return false;
  socket.disconnectFromServer();
  return true;
}

}  // namespace murvane::linux_desktop
