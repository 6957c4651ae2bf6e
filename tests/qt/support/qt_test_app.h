// The one QApplication of a Qt backend test process, made on first use, offscreen,
// with no platform theme and no session bus, so no test can reach a real tray.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTemporaryDir>

#include "support/recording_events.h"

namespace murvane::qt::test {

using murvane::test::RecordingEvents;

// $XDG_CONFIG_HOME of the whole test process: a folder of its own.
inline QString ConfigHome() {
  static QTemporaryDir home;
  return home.path();
}

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "murvane_qt_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    for (const char* variable : {"QT_QPA_PLATFORMTHEME", "DBUS_SESSION_BUS_ADDRESS", "DISPLAY"})
      qunsetenv(variable);
    qputenv("XDG_CONFIG_HOME", ConfigHome().toUtf8());
    QApplication::setQuitOnLastWindowClosed(false);
    return new QApplication(argc, argv);
  }();
  return *app;
}

// Runs the event loop until `done` or `ms` pass; returns `done()`.
inline bool RunUntil(const std::function<bool()>& done, int ms = 2000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

// Sets an environment variable until the returned guard goes, which puts it back
// however the scope ends, a failed assertion included.
[[nodiscard]] inline auto ScopedEnv(const char* name, const QByteArray& value) {
  auto restore = qScopeGuard([name, had = qEnvironmentVariableIsSet(name), old = qgetenv(name)] {
    had ? qputenv(name, old) : qunsetenv(name);
  });
  qputenv(name, value);
  return restore;
}

}  // namespace murvane::qt::test
