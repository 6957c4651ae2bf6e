// Helpers shared by the Win32 backend tests: message pumping, a scratch folder, a window
// for tray icons, a window-events recorder, and monitors at 144 dpi.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/dpi_win32.h"

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

// Records what a native window reports, in order; timer ticks are left out.
struct RecordingEvents final : NativeWindowEvents {
  std::vector<std::string> log;
  std::function<void()> onClick;  // runs inside OnClick, after recording

  static std::string Name(const ControlId& c) {
    return c.index < 0 ? c.name : c.name + "(" + std::to_string(c.index) + ")";
  }
  void OnClick(const ControlId& c) override {
    log.push_back("click " + Name(c));
    if (onClick) onClick();
  }
  void OnCheckBoxClicked(const ControlId& c) override { log.push_back("check " + Name(c)); }
  void OnPointerMove(const ControlId& c) override { log.push_back("move " + Name(c)); }
  void OnTimer(const ControlId&) override {}
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

// The width an icon is drawn at; 0 for no icon.
int IconWidth(HICON icon);

// The system's density functions, with every monitor (the taskbar's too) at 144 dpi:
// Wine's own screen stays at 96.
DpiFunctions MonitorsAt144();

}  // namespace murvane::win32::test
