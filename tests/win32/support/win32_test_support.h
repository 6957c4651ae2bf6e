// Helpers shared by the Win32 backend tests: message pumping, scratch folders,
// icon files made on the spot, and a window-events recorder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace murvane::win32::test {

// Runs the thread's messages until `done` holds or the time is up; returns `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
void PumpPending();

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  std::wstring PathOf(const std::wstring& name) const { return path_ + L"\\" + name; }
  std::wstring Write(const std::wstring& name, const std::vector<std::uint8_t>& bytes) const;

 private:
  std::wstring path_;
};

std::u16string U16(const std::wstring& text);

// One square image of an icon file: 32-bit pixels all of one colour.
struct IconImage {
  int size;
  COLORREF colour;
};
std::vector<std::uint8_t> MakeIconFile(const std::vector<IconImage>& images);

// The colour of the icon's pixel at (x, y).
COLORREF IconPixel(HICON icon, int x, int y);
// The icon's width in pixels, or 0 when the handle is no icon.
int IconWidth(HICON icon);

// A hidden top-level window of a system class, for tray icons to belong to.
class HiddenWindow {
 public:
  HiddenWindow();
  ~HiddenWindow();
  HiddenWindow(const HiddenWindow&) = delete;
  HiddenWindow& operator=(const HiddenWindow&) = delete;
  HWND Get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// Calls `act` with the first shown window of the class that this thread makes
// while `run` is busy in a modal call (a message box, the file dialog, a pop-up
// menu), then returns what `run` returned. The act must end the modal call.
void StartWindowWatch(const wchar_t* className, const std::function<void(HWND)>& act);
void StopWindowWatch();

template <typename Result>
Result WithWindow(const wchar_t* className, const std::function<Result()>& run,
                  const std::function<void(HWND)>& act) {
  StartWindowWatch(className, act);
  Result result = run();
  StopWindowWatch();
  return result;
}

constexpr const wchar_t* kDialogClass = L"#32770";
constexpr const wchar_t* kMenuClass = L"#32768";

template <typename Result>
Result WithDialog(const std::function<Result()>& run, const std::function<void(HWND)>& act) {
  return WithWindow<Result>(kDialogClass, run, act);
}

// Records what a native window reports.
class RecordingEvents final : public NativeWindowEvents {
 public:
  std::vector<ControlId> clicks;
  std::vector<ControlId> checkBoxClicks;
  std::vector<ControlId> pointerMoves;
  std::vector<ControlId> timers;
  std::vector<int> closeRequests;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> trayCallbacks;
  int trayRecreated = 0;
  std::function<void()> onClick;     // runs inside OnClick, after recording
  std::function<bool(int)> onClose;  // answers close requests; none: keep the window

  void OnClick(const ControlId& control) override;
  void OnCheckBoxClicked(const ControlId& control) override { checkBoxClicks.push_back(control); }
  void OnPointerMove(const ControlId& control) override { pointerMoves.push_back(control); }
  void OnTimer(const ControlId& timer) override { timers.push_back(timer); }
  bool OnCloseRequest(int reason) override;
  void OnTrayCallback(std::uint32_t iconId, std::uint32_t mouseMessage) override {
    trayCallbacks.emplace_back(iconId, mouseMessage);
  }
  void OnTrayRecreated() override { ++trayRecreated; }
};

}  // namespace murvane::win32::test
