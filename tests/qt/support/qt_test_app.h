// The one QApplication of a Qt backend test process, made on first use, offscreen,
// with no platform theme and no session bus, so no test can reach a real tray.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <string>

#include "platform/platform.h"

namespace murvane::qt::test {

QApplication& App();
// $XDG_CONFIG_HOME of the whole test process: a folder of its own.
QString ConfigHome();

// Runs the event loop until `done` or `ms` pass; returns `done()`.
bool RunUntil(const std::function<bool()>& done, int ms = 2000);

// Records what a window tells the program.
struct RecordingEvents final : NativeWindowEvents {
  std::vector<std::string> log;
  std::function<void()> onClick;
  void OnClick(const ControlId& c) override {
    log.push_back("click " + c.name);
    if (onClick) onClick();
  }
  void OnCheckBoxClicked(const ControlId& c) override { log.push_back("check " + c.name); }
  void OnPointerMove(const ControlId& c) override { log.push_back("move " + c.name); }
  void OnTimer(const ControlId& c) override { log.push_back("timer " + c.name); }
  bool OnCloseRequest(int reason) override {
    log.push_back("close " + std::to_string(reason));
    return false;
  }
  void OnTrayCallback(std::uint32_t id, std::uint32_t message) override {
    log.push_back("tray " + std::to_string(id) + " " + std::to_string(message));
  }
  void OnTrayRecreated() override { log.push_back("recreated"); }
};

}  // namespace murvane::qt::test
