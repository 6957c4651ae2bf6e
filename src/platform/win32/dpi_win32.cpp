#include "platform/win32/dpi_win32.h"

namespace murvane::win32 {
namespace {

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <class Function>
void Find(HMODULE module, const char* name, Function& into) {
  into = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

DpiFunctions& InUse() {
  static DpiFunctions functions = [] {
    DpiFunctions found;
    HMODULE user = GetModuleHandleW(L"user32.dll");
    Find(user, "GetDpiForWindow", found.getDpiForWindow);
    Find(user, "GetSystemMetricsForDpi", found.getSystemMetricsForDpi);
    Find(user, "AdjustWindowRectExForDpi", found.adjustWindowRectExForDpi);
    Find(user, "SystemParametersInfoForDpi", found.systemParametersInfoForDpi);
    // Kept loaded for the program's life, as the functions found in it are.
    Find(LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor", found.getDpiForMonitor);
    return found;
  }();
  return functions;
}

}  // namespace

const DpiFunctions& NewerDpiFunctions() {
  return InUse();
}

ScopedDpiFunctions::ScopedDpiFunctions(const DpiFunctions& functions) : before_(InUse()) {
  InUse() = functions;
}

ScopedDpiFunctions::~ScopedDpiFunctions() {
  InUse() = before_;
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int MonitorDpi(HMONITOR monitor) {
  UINT x = 0, y = 0;
  if (monitor && InUse().getDpiForMonitor &&
      SUCCEEDED(InUse().getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && y > 0) {
    return static_cast<int>(y);
  }
  return SystemDpi();
}

int WindowDpi(HWND window) {
  if (InUse().getDpiForWindow) {
    if (const UINT dpi = InUse().getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

int PrimaryDpi() {
  return MonitorDpi(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

int TaskbarDpi() {
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  return taskbar ? MonitorDpi(MonitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY)) : PrimaryDpi();
}

int MetricForDpi(int index, int dpi) {
  if (InUse().getSystemMetricsForDpi) {
    return InUse().getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
  }
  // The older systems have one density; a stated other one scales from it.
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  if (InUse().adjustWindowRectExForDpi &&
      InUse().adjustWindowRectExForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    return;
  }
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

NONCLIENTMETRICSW NonClientMetricsForDpi(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!InUse().systemParametersInfoForDpi ||
      !InUse().systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                          static_cast<UINT>(dpi))) {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  }
  return metrics;
}

int TrayIconSize() {
  return MetricForDpi(SM_CXSMICON, TaskbarDpi());
}

}  // namespace murvane::win32
