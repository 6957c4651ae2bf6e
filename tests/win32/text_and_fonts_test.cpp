// Text at the system edge, and the fonts the windows are drawn in at every
// density a user may set.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/fonts_win32.h"
#include "platform/win32/text_win32.h"
#include "ui/about/about_layout.h"
#include "ui/config/config_layout.h"

namespace murvane::win32 {
namespace {

TEST(TextAndFonts, ACharacterTheCodePageLacksBecomesTheReplacementNotALookAlike) {
  ASSERT_EQ(GetACP(), 1252u);
  EXPECT_EQ(ToAnsiBytes(u"C:\\\u0100.ico"), "C:\\?.ico");
  EXPECT_EQ(ToAnsiBytes(u"\u00e8"), "\xe8");  // what the code page has stays
}

TEST(TextAndFonts, ARasterFaceGivesWayWhereItHasNoSuchSize) {
  EXPECT_EQ(ChooseFace(L"MS Sans Serif", 11), L"MS Sans Serif");
  const std::wstring at144 = ChooseFace(L"MS Sans Serif", 17);
  EXPECT_NE(at144, L"MS Sans Serif");
  EXPECT_TRUE(DrawsExactly(at144, 17)) << "stand-in drawn at another size";
  EXPECT_TRUE(DrawsExactly(ChooseFace(L"No Such Face", 13), 13));
}

TEST(TextAndFonts, EveryCaptionFitsItsControlAtEachDensity) {
  for (int dpi : {96, 120, 144, 192}) {
    for (const WindowDesc* layout : {&ConfigWindowLayout(), &AboutWindowLayout()}) {
      WindowFonts fonts(dpi);
      const std::vector<CaptionRoom> rooms = CaptionRooms(*layout, {dpi, dpi});
      fonts.Fit(rooms);
      for (const CaptionRoom& room : rooms) {
        EXPECT_LE(CaptionWidth(fonts.For(room.font), room.text), room.width)
            << dpi << " dpi: " << std::string(room.text.begin(), room.text.end());
      }
    }
  }
}

}  // namespace
}  // namespace murvane::win32
