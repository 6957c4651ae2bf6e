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

// A picture's handle lives exactly as long as its last holder: the tray may still draw the
// old picture while the window already shows the new one. (scripts/bench measures long use.)
TEST(Pictures, HandlesLiveAsLongAsTheirLastHolder) {
  test::TempFolder folder;
  const std::u16string file = folder.Write(L"c.ico", MakeSolidIcon(16, IconColour{}));
  Win32PictureSource source;
  const IconCounts before = CountIcons();
  {
    PicturePtr shownInTray = source.LoadIconFile(file);
    PicturePtr current = shownInTray;
    current = source.LoadResource("CapsLock.on");
    EXPECT_EQ(CountIcons().Live() - before.Live(), 2);
    shownInTray = current;
    EXPECT_EQ(CountIcons().Live() - before.Live(), 1);
  }
  EXPECT_EQ(CountIcons().created - before.created, 2);
  EXPECT_EQ(CountIcons().Live(), before.Live());
}

}  // namespace
}  // namespace murvane::win32
