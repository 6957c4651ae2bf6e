// Reading the pixel-art files the built-in icons are drawn from.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "icon_maker/art_file.h"

namespace murvane {
namespace {

constexpr const char* kTwoLooks =
    "# a comment\n"
    "image small.ico light 2 24\n"
    "image small.ico dark 2 4\n"
    "legend  light        dark\n"
    "'.'     clear        clear\n"
    "'#'     10,20,30     255,255,255\n"
    "picture 2\n"
    "#.\n"
    ".#\n";

ArtFile Parse(const std::string& text) {
  std::istringstream stream(text);
  return ParseArtFile(stream);
}

TEST(ArtFileReading, RendersEachRequestInItsLook) {
  const ArtFile art = Parse(kTwoLooks);
  ASSERT_EQ(art.images.size(), 2u);
  EXPECT_EQ(art.images[0].file_name, "small.ico");
  EXPECT_EQ(art.images[1].depth, IconDepth::kSixteenColours);
  const IconImage light = RenderArtImage(art, art.images[0]);
  EXPECT_EQ(light.width, 2);
  const std::vector<IconPixel> expected = {IconColour{10, 20, 30}, std::nullopt, std::nullopt,
                                           IconColour{10, 20, 30}};
  EXPECT_EQ(light.pixels, expected);
  const IconImage dark = RenderArtImage(art, art.images[1]);
  EXPECT_EQ(dark.pixels[3], IconPixel(IconColour{255, 255, 255}));
}

TEST(ArtFileReading, AcceptsWindowsLineEnds) {
  std::string text = kTwoLooks;
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
    text.insert(at, "\r");
  }
  EXPECT_EQ(RenderArtImage(Parse(text), Parse(text).images[0]).pixels.size(), 4u);
}

struct BadArt {
  std::string name;
  std::string text;
  std::string message;  // the start of the error, line number included
};

class BadArtFile : public ::testing::TestWithParam<BadArt> {};

TEST_P(BadArtFile, IsReportedWithItsLine) {
  try {
    Parse(GetParam().text);
    FAIL() << "no error";
  } catch (const ArtError& error) {
    EXPECT_EQ(std::string(error.what()).rfind(GetParam().message, 0), 0u) << error.what();
  }
}

const std::string kLegend = "legend a\n'.' clear\n'#' 0,0,0\n";

INSTANTIATE_TEST_SUITE_P(
    Mistakes, BadArtFile,
    ::testing::Values(
        BadArt{"ShortRow", kLegend + "picture 2\n#.\n#\n", "line 6: expected 2 pixels"},
        BadArt{"UnknownPixel", kLegend + "picture 2\n#.\n#x\n", "line 6: character 'x'"},
        BadArt{"PictureEndsEarly", kLegend + "picture 2\n#.\n", "line 5: picture ends early"},
        BadArt{"PictureBeforeLegend", "picture 1\n#\n", "line 1: picture before the legend"},
        BadArt{"ChannelOutOfRange", "legend a\n'#' 256,0,0\n", "line 2: expected a number"},
        BadArt{"ColourWord", "legend a\n'#' black\n", "line 2: expected 'clear' or R,G,B"},
        BadArt{"MissingLookColour", "legend a b\n'#' 0,0,0\n", "line 2: expected one colour"},
        BadArt{"LegendTwice", kLegend + "'#' 1,1,1\n", "line 4: character '#' is in the legend"},
        BadArt{"UnknownLook", kLegend + "picture 1\n#\nimage x.ico b 1 24\n",
               "line 6: no look 'b'"},
        BadArt{"NoPictureOfThatSize", kLegend + "image x.ico a 16 24\n",
               "line 4: no picture of size 16"},
        BadArt{"EightBits", "image x.ico a 1 8\n", "line 1: bits per pixel must be 4 or 24"},
        BadArt{"UnknownWord", "draw 16\n", "line 1: unknown line 'draw'"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace murvane
