// One Murvane per user session: a local socket named after the user and the
// session, in a folder only the user can enter. The first start listens on it;
// later starts write their request to it.
#pragma once

#include <QString>
#include <memory>

#include "platform/platform.h"

class QLocalServer;

namespace murvane::linux_desktop {

// The socket's full path for this user in this session (XDG_SESSION_ID, else
// DISPLAY); empty when no private folder could be had.
QString SessionSocketName();

class SocketSessionInstance final : public SessionInstance {
 public:
  explicit SocketSessionInstance(QString socketName = SessionSocketName());
  ~SocketSessionInstance() override;
  SocketSessionInstance(const SocketSessionInstance&) = delete;
  SocketSessionInstance& operator=(const SocketSessionInstance&) = delete;

  bool Claim(std::function<void(InstanceRequest)> onRequest) override;
  bool AskRunning(InstanceRequest request) override;

 private:
  void Listen();
  void ReadRequest();

  QString name_;
  std::unique_ptr<QLocalServer> server_;
  std::function<void(InstanceRequest)> onRequest_;
};

}  // namespace murvane::linux_desktop
