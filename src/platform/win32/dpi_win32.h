// Densities per monitor. The functions that tell them are newer than the oldest
// Windows served (7), so they are looked up at run time; where one is missing,
// the system density of the older Windows stands in for every monitor.
#pragma once

#include <windows.h>

// Sent from Windows 10 1703 on; the headers name it only for newer targets.
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

namespace murvane::win32 {

// The newer functions, each null where the system has none.
struct DpiFunctions {
  UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;                                      // 10 1607
  int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;                           // 10 1607
  BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;  // 10 1607
  BOOL(WINAPI* systemParametersInfoForDpi)(UINT, UINT, void*, UINT, UINT) = nullptr;  // 10 1607
  HRESULT(WINAPI* getDpiForMonitor)(HMONITOR, int, UINT*, UINT*) = nullptr;           // 8.1
};

// The functions in use: the system's, looked up on first use.
const DpiFunctions& NewerDpiFunctions();

// The seam: while one lives, the program sees these functions instead (all null
// hides them, as on Windows 7); the ones before come back when it goes.
class ScopedDpiFunctions {
 public:
  explicit ScopedDpiFunctions(const DpiFunctions& functions);
  ~ScopedDpiFunctions();
  ScopedDpiFunctions(const ScopedDpiFunctions&) = delete;
  ScopedDpiFunctions& operator=(const ScopedDpiFunctions&) = delete;

 private:
  DpiFunctions before_;
};

// The density the whole session started with (what older Windows use everywhere).
int SystemDpi();
int MonitorDpi(HMONITOR monitor);
int WindowDpi(HWND window);
// The primary monitor's, where a new window appears.
int PrimaryDpi();
// The taskbar's monitor's: the tray pictures are drawn at it.
int TaskbarDpi();

// A system metric (SM_CXSMICON, ...) at a density.
int MetricForDpi(int index, int dpi);
// The window rectangle around a client rectangle at a density.
void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// The non-client metrics (for the message font) at a density.
NONCLIENTMETRICSW NonClientMetricsForDpi(int dpi);

// The notification area's small-icon size at the taskbar's density.
int TrayIconSize();

}  // namespace murvane::win32
