// One Murvane per session: the socket, its folder, and who may answer at it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/linux/session/instance.h"
#include "platform/linux/session/socket_folder.h"
#include "support/qt_test_app.h"

namespace murvane::linux_desktop {
namespace {

namespace test = qt::test;

int Chmod(const QString& path, mode_t mode) {
  return chmod(QFile::encodeName(path).constData(), mode);
}

// A socket left by a Murvane that died answers no one and does not count.
TEST(SessionInstance, ALaterStartFindsTheFirstButNotADeadOne) {
  test::App();
  const QString name = QStringLiteral("murvane-test-%1").arg(QCoreApplication::applicationPid());
  ASSERT_TRUE(SocketSessionInstance(name).Claim([](InstanceRequest) {}));
  SocketSessionInstance first(name), second(name);
  EXPECT_FALSE(first.AskRunning(InstanceRequest::ShowConfiguration)) << "the dead one answers";
  std::vector<InstanceRequest> heard;
  ASSERT_TRUE(first.Claim([&](InstanceRequest r) { heard.push_back(r); }));
  EXPECT_FALSE(second.Claim([](InstanceRequest) {}));
  EXPECT_TRUE(second.AskRunning(InstanceRequest::ShowConfiguration));
  EXPECT_TRUE(second.AskRunning(InstanceRequest::Exit));
  ASSERT_TRUE(test::RunUntil([&] { return heard.size() == 2; }));
  EXPECT_EQ(heard, (std::vector{InstanceRequest::ShowConfiguration, InstanceRequest::Exit}));
}

// Names in the shared temporary folder that another user took first (a file,
// a link, a folder of theirs) are passed over, and so is a runtime folder
// others may enter; what is chosen is always this user's alone.
TEST(SessionInstance, TheSocketFolderIsAlwaysThisUsersAlone) {
  QTemporaryDir runtime, temp;
  const auto tmp = test::ScopedEnv("TMPDIR", temp.path().toUtf8());
  const auto xdg = test::ScopedEnv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
  ASSERT_EQ(Chmod(runtime.path(), 0700), 0);
  EXPECT_TRUE(SessionSocketName().startsWith(runtime.path() + QLatin1Char('/')));
  Chmod(runtime.path(), 0755);
  const QString first = temp.filePath(QStringLiteral("murvane-%1").arg(getuid()));
  ASSERT_TRUE(QFile(first).open(QIODevice::WriteOnly));
  ASSERT_TRUE(QFile::link(runtime.path(), first + "-1"));
  ASSERT_TRUE(QDir().mkpath(first + "-2"));
  Chmod(first + "-2", 0777);
  EXPECT_EQ(PrivateSocketFolder(), first + "-3");
  if (geteuid() == 0) {  // another user's folder, made as root
    ASSERT_EQ(chown(QFile::encodeName(first + "-3").constData(), 65534, 65534), 0);
    EXPECT_EQ(PrivateSocketFolder(), first + "-4");
  }
}

// Without its socket this one still runs, and says once why a later start will not find it.
TEST(SessionInstance, AFailedListenIsToldOnceAndTheClaimStands) {
  test::App();
  SocketSessionInstance unplaced(QStringLiteral("/nonexistent-folder/murvane-test"));
  ::testing::internal::CaptureStderr();
  EXPECT_TRUE(unplaced.Claim([](InstanceRequest) {}));
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find("/nonexistent-folder/murvane-test"), std::string::npos) << told;
  EXPECT_EQ(told.find('\n'), told.size() - 1) << "one line";
}

// Another user's program listening at the name gets no request, and does not
// stop this one from claiming the session.
TEST(SessionInstance, AListenerOfAnotherUserIsNotTheRunningMurvane) {
  test::App();
  if (geteuid() != 0) GTEST_SKIP() << "a process of another user needs root";
  QTemporaryDir folder;
  Chmod(folder.path(), 0777);
  const QString path = folder.filePath(QStringLiteral("murvane-squatted"));
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t squatter = fork();
  if (squatter == 0) {
    sockaddr_un address{AF_UNIX, {}};
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s",
                  QFile::encodeName(path).constData());
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    if (setgid(65534) == 0 && setuid(65534) == 0 &&
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        listen(listener, 8) == 0 && write(ready[1], "!", 1) == 1)
      pause();
    _exit(1);
  }
  const auto reap = qScopeGuard([&] {  // however the test ends, no process or pipe is left
    kill(squatter, SIGKILL);
    waitpid(squatter, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
  });
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  EXPECT_FALSE(SocketSessionInstance(path).AskRunning(InstanceRequest::ShowConfiguration));
  SocketSessionInstance ours(path);
  EXPECT_TRUE(ours.Claim([](InstanceRequest) {}));
  EXPECT_TRUE(SocketSessionInstance(path).AskRunning(InstanceRequest::Exit)) << "now it is ours";
}

}  // namespace
}  // namespace murvane::linux_desktop
