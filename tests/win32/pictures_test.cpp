// Pictures: icon files checked before loading, and every icon handle destroyed exactly once.
// scripts/e2e sees the built-in pictures in the tray at its size.
#include <gtest/gtest.h>
#include <windows.h>

#include "icon_maker/ico_writer.h"
#include "platform/win32/pictures_win32.h"
#include "platform/win32/text_win32.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

// A refused file makes no icon. A picture's handle lives exactly as long as its last holder:
// the tray may still draw the old picture while the window already shows the new one.
// (scripts/bench measures long use.)
TEST(Pictures, OnlyCheckedFilesMakeIconsAndEachGoesWithItsLastHolder) {
  test::TempFolder folder;
  const std::vector<std::uint8_t> good = MakeSolidIcon(16, IconColour{0, 128, 0});
  Win32PictureSource source;
  const IconCounts before = CountIcons();
  for (const std::u16string& path :
       {folder.Write(L"truncated.ico", {good.begin(), good.begin() + 40}),
        folder.Write(L"animated.ico", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'C', 'O', 'N'}),
        folder.Write(L"empty.ico", {}), Utf16(folder.PathOf(L"missing.ico")),
        Utf16(folder.path.wstring())}) {
    EXPECT_EQ(source.LoadIconFile(path), nullptr);
  }
  EXPECT_EQ(CountIcons().created, before.created);
  {
    PicturePtr shownInTray = source.LoadIconFile(folder.Write(L"good.ico", good));
    const PicturePtr current = source.LoadResource("CapsLock.on");
    ASSERT_TRUE(shownInTray && current);
    shownInTray = current;
    EXPECT_EQ(CountIcons().Live() - before.Live(), 1);
  }
  EXPECT_EQ(CountIcons().Live(), before.Live());
}

}  // namespace
}  // namespace murvane::win32
