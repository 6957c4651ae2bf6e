// Pictures: the built-in icons, icon files checked before loading, and every icon handle
// destroyed exactly once.
#include <gtest/gtest.h>
#include <windows.h>

#include "icon_maker/ico_writer.h"
#include "platform/win32/pictures_win32.h"
#include "platform/win32/text_win32.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

TEST(Pictures, BuiltInPicturesLoadAtTheTraySize) {
  Win32PictureSource source;
  for (const char* name : {"CapsLock.off", "CapsLock.on", "NumLock.off", "NumLock.on",
                           "ScrollLock.off", "ScrollLock.on", "Murvane"}) {
    const PicturePtr picture = source.LoadResource(name);
    ASSERT_NE(picture, nullptr) << name;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(IconOf(*picture), &info)) << name;
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof(mask), &mask);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(mask.bmWidth, GetSystemMetrics(SM_CXSMICON)) << name;
  }
  EXPECT_EQ(source.LoadResource("CapsLock.On"), nullptr) << "an unknown name";
}

TEST(Pictures, FilesTheCheckRefusesMakeNoIcon) {
  test::TempFolder folder;
  const std::vector<std::uint8_t> good = MakeSolidIcon(16, IconColour{0, 128, 0});
  Win32PictureSource source;
  const long created = CountIcons().created;
  for (const std::u16string& path :
       {folder.Write(L"truncated.ico", {good.begin(), good.begin() + 40}),
        folder.Write(L"animated.ico", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'C', 'O', 'N'}),
        folder.Write(L"empty.ico", {}), Utf16(folder.PathOf(L"missing.ico")), Utf16(folder.path)}) {
    EXPECT_EQ(source.LoadIconFile(path), nullptr);
  }
  EXPECT_EQ(CountIcons().created, created);
  EXPECT_NE(source.LoadIconFile(folder.Write(L"good.ico", good)), nullptr);
}

// The program's pictures change on "Default" and "Modifica"; however often, the handles made
// and destroyed must balance.
TEST(Pictures, HandlesBalanceOverAHundredThousandChanges) {
  test::TempFolder folder;
  const std::u16string file = folder.Write(L"c.ico", MakeSolidIcon(16, IconColour{}));
  Win32PictureSource source;
  const IconCounts before = CountIcons();
  {
    PicturePtr current = source.LoadResource("CapsLock.off");
    PicturePtr shownInTray = current;
    for (int change = 0; change < 100000; ++change) {
      current = change % 10 == 0 ? source.LoadIconFile(file)
                                 : source.LoadResource(change % 2 ? "CapsLock.on" : "CapsLock.off");
      ASSERT_NE(current, nullptr) << "change " << change;
      if (change % 3 == 0) shownInTray = current;
    }
    EXPECT_EQ(CountIcons().Live() - before.Live(), shownInTray == current ? 1 : 2);
  }
  const IconCounts after = CountIcons();
  EXPECT_EQ(after.created - before.created, 100001);
  EXPECT_EQ(after.Live(), before.Live());
}

}  // namespace
}  // namespace murvane::win32
