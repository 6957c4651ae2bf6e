// Pixel art as text: one character per pixel, a legend that gives each character a colour in
// every look (say "released" and "pressed"), and the list of icon images to make from it.
//
//   image CapsLock_off.ico released 16 24    <- output file, look, picture size, bits per pixel
//   legend    released      pressed
//   '.'       clear         clear            <- "clear" lets the ground show through
//   '#'       160,160,164   0,0,0
//   picture 16                               <- then 16 rows of 16 characters
//
// Lines starting with '#' outside a picture are comments.
#pragma once

#include <istream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "icon_maker/ico_writer.h"

namespace murvane {

struct ArtImageRequest {
  std::string file_name;
  std::string look;
  int size = 0;
  IconDepth depth = IconDepth::kTrueColour;
  int line = 0;  // where the request stands, for messages
};

struct ArtFile {
  std::vector<std::string> looks;
  std::map<char, std::vector<IconPixel>> legend;     // one pixel per look, in look order
  std::map<int, std::vector<std::string>> pictures;  // side -> rows from the top
  std::vector<ArtImageRequest> images;
};

// A mistake in an art file, with the line it was found on.
class ArtError : public std::runtime_error {
 public:
  ArtError(int line, const std::string& message)
      : std::runtime_error("line " + std::to_string(line) + ": " + message) {}
};

ArtFile ParseArtFile(std::istream& text);

// The requested picture in the requested look; throws ArtError when the art lacks it.
IconImage RenderArtImage(const ArtFile& art, const ArtImageRequest& request);

}  // namespace murvane
