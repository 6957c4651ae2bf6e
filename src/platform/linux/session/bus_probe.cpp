#include "platform/linux/session/bus_probe.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QByteArray>
#include <QList>
#include <cstring>

namespace murvane::linux_desktop {
namespace {

// An address libdbus cannot use and will not replace with a daemon of its own.
const QByteArray kNoBus = "disabled:";
const char kVariable[] = "DBUS_SESSION_BUS_ADDRESS";
// A live daemon answers in well under a millisecond.
constexpr int kAnswerMs = 2000;

// The credentials byte, then a request for the authentication methods: any
// daemon that works answers it ("REJECTED ...").
bool Answers(const sockaddr_un& address, socklen_t length) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return true;  // cannot tell: leave it to Qt
  static const char kHello[] = "\0AUTH\r\n";
  bool answered = false;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
      send(fd, kHello, sizeof kHello - 1, MSG_NOSIGNAL) == sizeof kHello - 1) {
    pollfd ready{fd, POLLIN, 0};
    answered = poll(&ready, 1, kAnswerMs) == 1 && (ready.revents & POLLIN);
  }
  close(fd);
  return answered;
}

// "unix:path=/run/user/1000/bus,guid=..." or "unix:abstract=...". Only these
// are probed; any other transport is left to Qt.
bool EntryAnswers(const QByteArray& entry) {
  if (!entry.startsWith("unix:")) return true;
  for (const QByteArray& pair : entry.mid(5).split(',')) {
    const bool abstract = pair.startsWith("abstract=");
    if (!abstract && !pair.startsWith("path=")) continue;
    const QByteArray path = QByteArray::fromPercentEncoding(pair.mid(pair.indexOf('=') + 1));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;  // an abstract name starts with a NUL
    if (path.size() + offset >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path + offset, path.constData(), static_cast<std::size_t>(path.size()));
    const auto length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + !abstract);
    return Answers(address, length);
  }
  return true;
}

bool AnyAnswers(const QByteArray& address) {
  for (const QByteArray& entry : address.split(';')) {
    if (!entry.isEmpty() && EntryAnswers(entry)) return true;
  }
  return false;
}

// Where the environment names no bus, libdbus looks for the session's user bus
// before it launches one.
QByteArray UserBusAddress() {
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  if (runtime.isEmpty()) return {};
  struct stat status {};
  const QByteArray path = runtime + "/bus";
  if (stat(path.constData(), &status) != 0 || !S_ISSOCK(status.st_mode)) return {};
  return "unix:path=" + path;
}

}  // namespace

void UseNoSessionBusUnlessOneAnswers() {
  QByteArray address = qgetenv(kVariable);
  if (address.isEmpty()) address = UserBusAddress();
  qputenv(kVariable, !address.isEmpty() && AnyAnswers(address) ? address : kNoBus);
}

bool HaveSessionBus() {
  const QByteArray address = qgetenv(kVariable);
  return !address.isEmpty() && address != kNoBus;
}

}  // namespace murvane::linux_desktop
