#include "platform/linux/session/bus_probe.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <future>
#include <string>

namespace murvane::linux_desktop {
namespace {

// An address libdbus cannot use and will not replace with a daemon of its own.
const QByteArray kNoBus = "disabled:";
const char kVariable[] = "DBUS_SESSION_BUS_ADDRESS";
using Clock = std::chrono::steady_clock;

// Why a bus cannot be used; empty when it answers or when the probe cannot tell
// (then Qt decides).
using Without = std::string;

// The credentials byte, then a request for the authentication methods: any
// daemon that works answers it ("REJECTED ...").
Without Answers(const QByteArray& entry, const sockaddr_un& address, socklen_t length,
                Clock::time_point deadline) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return {};
  static const char kHello[] = "\0AUTH\r\n";
  Without without;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
      send(fd, kHello, sizeof kHello - 1, MSG_NOSIGNAL) != sizeof kHello - 1) {
    const std::string error = std::strerror(errno);
    without = "cannot connect to the session bus at " + entry.toStdString() + " (" + error + ")";
  } else {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(std::max<long>(left.count(), 0))) != 1 ||
        !(ready.revents & POLLIN)) {
      without = "the session bus at " + entry.toStdString() + " did not answer within " +
                std::to_string(kBusAnswerMs) + " ms";
    }
  }
  close(fd);
  return without;
}

// "unix:path=/run/user/1000/bus,guid=..." or "unix:abstract=...". Only these
// are probed; any other transport is left to Qt.
Without EntryAnswers(const QByteArray& entry, Clock::time_point deadline) {
  if (!entry.startsWith("unix:")) return {};
  for (const QByteArray& pair : entry.mid(5).split(',')) {
    const bool abstract = pair.startsWith("abstract=");
    if (!abstract && !pair.startsWith("path=")) continue;
    const QByteArray path = QByteArray::fromPercentEncoding(pair.mid(pair.indexOf('=') + 1));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = abstract ? 1 : 0;  // an abstract name starts with a NUL
    if (path.size() + offset >= sizeof address.sun_path) {
      return "the session bus address " + entry.toStdString() + " is too long";
    }
    std::memcpy(address.sun_path + offset, path.constData(), static_cast<std::size_t>(path.size()));
    const auto length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() + !abstract);
    return Answers(entry, address, length, deadline);
  }
  return {};
}

// Every entry must fail for the bus to be gone; the last one's reason is given.
Without AnyAnswers(const QByteArray& address, Clock::time_point deadline) {
  Without without;
  for (const QByteArray& entry : address.split(';')) {
    if (entry.isEmpty()) continue;
    without = EntryAnswers(entry, deadline);
    if (without.empty()) break;
  }
  return without;
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

struct Probe {
  QByteArray address;
  std::future<Without> without;
};
// The probe's thread only talks to the socket: the environment is read and
// written by the main thread alone, before Qt's first look at the bus.
Probe probe;

}  // namespace

void StartSessionBusProbe() {
  probe.address = qgetenv(kVariable);
  if (probe.address.isEmpty()) probe.address = UserBusAddress();
  if (probe.address.isEmpty()) {
    std::promise<Without> none;
    none.set_value(
        "no session bus address (DBUS_SESSION_BUS_ADDRESS is empty and "
        "$XDG_RUNTIME_DIR/bus is no socket)");
    probe.without = none.get_future();
    return;
  }
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kBusAnswerMs);
  probe.without = std::async(std::launch::async, [address = probe.address, deadline] {
    return AnyAnswers(address, deadline);
  });
}

void SettleSessionBus() {
  if (!probe.without.valid()) return;
  const Without without = probe.without.get();
  if (without.empty()) {
    qputenv(kVariable, probe.address);
    return;
  }
  std::fprintf(stderr, "murvane: going without D-Bus: %s\n", without.c_str());
  qputenv(kVariable, kNoBus);
}

bool HaveSessionBus() {
  const QByteArray address = qgetenv(kVariable);
  return !address.isEmpty() && address != kNoBus;
}

}  // namespace murvane::linux_desktop
