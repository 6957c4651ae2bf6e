// Helpers shared by the Win32 backend tests: message pumping, a scratch folder, a window
// for tray icons, and a window-events recorder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace murvane::win32::test {

// Runs the thread's messages until `done` holds or the time is up; returns `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// A fresh folder under the temporary folder, removed with everything in it.
struct TempFolder {
  TempFolder();
  ~TempFolder();
  std::wstring PathOf(const std::wstring& name) const { return path + L"\\" + name; }
  std::u16string Write(const std::wstring& name, const std::vector<std::uint8_t>& bytes) const;
  std::wstring path;
};

// A hidden top-level window of a system class, for tray icons to belong to.
struct HiddenWindow {
  HWND hwnd = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr);
  ~HiddenWindow() { DestroyWindow(hwnd); }
};

// Records what a native window reports.
struct RecordingEvents final : NativeWindowEvents {
  std::vector<ControlId> clicks, checkBoxClicks, pointerMoves;
  std::vector<int> closeRequests;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> trayCallbacks;
  int trayRecreated = 0;
  int trayGroundChanged = 0;
  std::function<void()> onClick;  // runs inside OnClick, after recording

  void OnClick(const ControlId& control) override {
    clicks.push_back(control);
    if (onClick) onClick();
  }
  void OnCheckBoxClicked(const ControlId& control) override { checkBoxClicks.push_back(control); }
  void OnPointerMove(const ControlId& control) override { pointerMoves.push_back(control); }
  void OnTimer(const ControlId&) override {}
  bool OnCloseRequest(int reason) override {
    closeRequests.push_back(reason);
    return false;  // the program keeps its window
  }
  void OnTrayCallback(std::uint32_t iconId, std::uint32_t mouseMessage) override {
    trayCallbacks.emplace_back(iconId, mouseMessage);
  }
  void OnTrayRecreated() override { ++trayRecreated; }
  void OnTrayGroundChanged() override { ++trayGroundChanged; }
};

}  // namespace murvane::win32::test
