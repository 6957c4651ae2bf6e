// For scripts/e2e: tells a window of another program what Windows tells it when its
// monitor's scale changes or it is dragged to another monitor, WM_DPICHANGED for a new
// density. A pointer cannot cross into another program, so there is no suggested
// rectangle: the window keeps its corner.
//   send_dpi_change.exe "window caption" dpi
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  HWND window = FindWindowW(nullptr, argv[1]);
  const int dpi = std::wcstol(argv[2], nullptr, 10);
  if (!window || dpi <= 0) return 1;
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0, SMTO_ABORTIFHUNG,
                             10000, &answer)
             ? 0
             : 1;
}
