// Pictures: the built-in icons, icon files checked before loading, and every
// icon handle destroyed exactly once.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "platform/win32/pictures_win32.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

HICON IconHandle(const PicturePtr& picture) {
  return picture ? IconOf(*picture) : nullptr;
}

TEST(Pictures, EveryBuiltInPictureLoadsAtTheTraySize) {
  Win32PictureSource source;
  std::set<HICON> handles;
  for (const char* name : {"CapsLock.off", "CapsLock.on", "NumLock.off", "NumLock.on",
                           "ScrollLock.off", "ScrollLock.on", "Murvane"}) {
    const PicturePtr picture = source.LoadResource(name);
    ASSERT_NE(picture, nullptr) << name;
    EXPECT_EQ(test::IconWidth(IconHandle(picture)), GetSystemMetrics(SM_CXSMICON)) << name;
    handles.insert(IconHandle(picture));
  }
  EXPECT_EQ(handles.size(), 7u) << "each load is a handle of its own";
}

TEST(Pictures, UnknownBuiltInNameGivesNoPicture) {
  Win32PictureSource source;
  EXPECT_EQ(source.LoadResource("CapsLock.On"), nullptr);
  EXPECT_EQ(source.LoadResource(""), nullptr);
}

TEST(Pictures, HandleIsTheIconAsA32BitValue) {
  Win32PictureSource source;
  const PicturePtr picture = source.LoadResource("NumLock.on");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(reinterpret_cast<HICON>(static_cast<std::intptr_t>(picture->Handle())),
            static_cast<const IconPicture&>(*picture).Icon());
}

TEST(Pictures, IconFileLoadsItsTraySizedImage) {
  test::TempFolder folder;
  const std::wstring path = folder.Write(
      L"two sizes.ico", test::MakeIconFile({{32, RGB(255, 0, 0)}, {16, RGB(0, 0, 255)}}));
  Win32PictureSource source;
  const PicturePtr picture = source.LoadIconFile(test::U16(path));
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(test::IconWidth(IconHandle(picture)), SmallIconSize());
  if (SmallIconSize() == 16) {
    EXPECT_EQ(test::IconPixel(IconHandle(picture), 8, 8), RGB(0, 0, 255)) << "the 16 x 16 image";
  }
}

TEST(Pictures, BadIconFilesAreRefusedBeforeAnyLoader) {
  test::TempFolder folder;
  std::vector<std::uint8_t> good = test::MakeIconFile({{16, RGB(0, 128, 0)}});
  std::vector<std::uint8_t> truncated(good.begin(), good.begin() + 40);
  std::vector<std::uint8_t> offsetOutside = good;
  offsetOutside[21] = 0x10;  // the image's offset points far past the end
  const std::vector<std::uint8_t> riff = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'C', 'O', 'N'};
  std::vector<std::uint8_t> huge = good;
  huge.resize(4 * 1024 * 1024 + 1);

  Win32PictureSource source;
  const IconCounts before = CountIcons();
  for (const auto& [name, bytes] :
       {std::pair{L"truncated.ico", truncated}, std::pair{L"outside.ico", offsetOutside},
        std::pair{L"animated.ico", riff}, std::pair{L"huge.ico", huge},
        std::pair{L"empty.ico", std::vector<std::uint8_t>{}}}) {
    EXPECT_EQ(source.LoadIconFile(test::U16(folder.Write(name, bytes))), nullptr) << name;
  }
  EXPECT_EQ(source.LoadIconFile(test::U16(folder.PathOf(L"missing.ico"))), nullptr);
  EXPECT_EQ(source.LoadIconFile(test::U16(folder.Path())), nullptr) << "a folder";
  EXPECT_EQ(CountIcons().created, before.created);
  EXPECT_NE(source.LoadIconFile(test::U16(folder.Write(L"good.ico", good))), nullptr);
}

TEST(Pictures, IconIsDestroyedWhenItsLastHolderLetsGo) {
  Win32PictureSource source;
  PicturePtr picture = source.LoadResource("ScrollLock.off");
  const HICON icon = IconHandle(picture);
  PicturePtr secondHolder = picture;
  picture.reset();
  EXPECT_NE(test::IconWidth(icon), 0) << "still held";
  const long destroyed = CountIcons().destroyed;
  secondHolder.reset();
  EXPECT_EQ(CountIcons().destroyed, destroyed + 1);
  EXPECT_EQ(test::IconWidth(icon), 0) << "the handle is gone";
}

// The program's pictures change on "Default" and "Modifica"; however often, the
// handles made and destroyed must balance.
TEST(Pictures, HandlesBalanceOverAHundredThousandChanges) {
  test::TempFolder folder;
  const std::u16string file = test::U16(folder.Write(L"c.ico", test::MakeIconFile({{16, 0}})));
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
