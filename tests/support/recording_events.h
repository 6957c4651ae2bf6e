// Records what a native window tells the program, in order, for the backend tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace murvane::test {

struct RecordingEvents final : NativeWindowEvents {
  std::vector<std::string> log;
  std::function<void()> onClick;  // runs inside OnClick, after recording
  bool timers = false;            // ticks would crowd every other log

  static std::string Name(const ControlId& c) {
    return c.index < 0 ? c.name : c.name + "(" + std::to_string(c.index) + ")";
  }
  void OnClick(const ControlId& c) override {
    log.push_back("click " + Name(c));
    if (onClick) onClick();
  }
  void OnCheckBoxClicked(const ControlId& c) override { log.push_back("check " + Name(c)); }
  void OnPointerMove(const ControlId& c) override { log.push_back("move " + Name(c)); }
  void OnTimer(const ControlId& c) override {
    if (timers) log.push_back("timer " + Name(c));
  }
  bool OnCloseRequest(int reason) override {
    log.push_back("close " + std::to_string(reason));
    return false;  // the program keeps its window
  }
  void OnTrayCallback(std::uint32_t id, std::uint32_t message) override {
    log.push_back("tray " + std::to_string(id) + " " + std::to_string(message));
  }
  void OnTrayRecreated() override { log.push_back("recreated"); }
  void OnTrayGroundChanged() override { log.push_back("ground"); }
};

}  // namespace murvane::test
