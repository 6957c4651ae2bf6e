// One Murvane per user session. A named mutex in the session's own namespace
// says whether one runs; a message-only window of a class of its own receives
// what later starts and the setup program ask of it.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace murvane::win32 {

class Win32SessionInstance final : public SessionInstance {
 public:
  // The setup program uses these names too.
  static constexpr const wchar_t* kMutexName = L"Local\\Polden Software Murvane";
  static constexpr const wchar_t* kWindowClass = L"MurvaneInstance";
  // WM_CLOSE to that window asks the program to end.
  static constexpr UINT kShowConfigurationMessage = WM_APP + 10;

  Win32SessionInstance() = default;
  ~Win32SessionInstance() override;
  Win32SessionInstance(const Win32SessionInstance&) = delete;
  Win32SessionInstance& operator=(const Win32SessionInstance&) = delete;

  bool Claim(std::function<void(InstanceRequest)> onRequest) override;
  bool AskRunning(InstanceRequest request) override;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HANDLE mutex_ = nullptr;
  HWND window_ = nullptr;
  std::function<void(InstanceRequest)> onRequest_;
};

}  // namespace murvane::win32
