// Runs the program on the fake platform for a given number of idle timer ticks,
// then of state changes and picture edits, and prints what stayed alive. Meant
// to be run under callgrind by scripts/bench, which divides the instruction
// count of the tick handler by the number of ticks.
#include <cstdio>
#include <cstdlib>

#include "app/application.h"
#include "app/frm_main.h"
#include "icon_maker/ico_writer.h"
#include "platform/fake/fake_platform.h"

using murvane::Key;
using murvane::KeyInfo;

namespace {

void PressAndReleaseCaps(murvane::fake::FakePlatform& sys, bool on) {
  sys.keyboard.Set(KeyInfo(Key::CapsLock).virtualKey, on ? 1 : 0);
  sys.Tick();
}

}  // namespace

int main(int argc, char** argv) {
  const int ticks = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int changes = argc > 2 ? std::atoi(argv[2]) : 100000;
  const int edits = argc > 3 ? std::atoi(argv[3]) : 1000;

  murvane::fake::FakePlatform sys;
  sys.files.Put(u"C:\\bench.ico", {murvane::MakeSolidIcon(16, {0, 128, 255})});
  murvane::Application app(sys.Get());
  app.Start();
  sys.Tick();
  const int picturesAtStart = sys.pictures.LiveCount();
  const int windowsAtStart = sys.windows.LiveCount();

  sys.Tick(ticks);  // idle: nothing changes
  for (int i = 0; i < changes; ++i) PressAndReleaseCaps(sys, i % 2 == 0);
  for (int i = 0; i < edits; ++i) {
    sys.fileDialog.WillChoose(u"C:\\bench.ico");
    sys.Click("frmMain", KeyInfo(Key::CapsLock).ChangeButton(i % 2));
    sys.Click("frmMain", {"cmdApply"});
    sys.Click("frmMain", KeyInfo(Key::CapsLock).DefaultButton(i % 2));
    sys.Click("frmMain", {"cmdApply"});
  }

  std::printf("idle ticks: %d, state changes: %d, picture edits: %d\n", ticks, changes, edits);
  std::printf("pictures alive: %d at start, %d after (created in all: %d)\n", picturesAtStart,
              sys.pictures.LiveCount(), sys.pictures.CreatedCount());
  std::printf("windows alive: %d at start, %d after\n", windowsAtStart, sys.windows.LiveCount());
  return sys.pictures.LiveCount() == picturesAtStart ? 0 : 1;
}
