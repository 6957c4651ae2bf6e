// Stands in for a Murvane that hangs: it holds the single-instance mutex but has
// no window to ask, so the setup has to give up on it and leave the install as it
// was. Holds the mutex for the seconds given, then ends.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Local\\Polden Software Murvane");
  if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) return 1;
  std::puts("holding");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  CloseHandle(mutex);
  return 0;
}
