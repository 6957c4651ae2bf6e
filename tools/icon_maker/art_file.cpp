#include "icon_maker/art_file.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace murvane {
namespace {

class LineReader {
 public:
  explicit LineReader(std::istream& text) : text_(text) {}

  bool Next(std::string& line) {
    if (!std::getline(text_, line)) return false;
    ++number_;
    if (!line.empty() && line.back() == '\r') line.pop_back();  // art edited on Windows
    return true;
  }
  int number() const { return number_; }

 private:
  std::istream& text_;
  int number_ = 0;
};

std::vector<std::string> SplitWords(const std::string& line) {
  std::istringstream stream(line);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

int ParseNumber(const std::string& word, int low, int high, int line) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc{} || end != word.data() + word.size() || value < low || value > high) {
    throw ArtError(line, "expected a number from " + std::to_string(low) + " to " +
                             std::to_string(high) + ", found '" + word + "'");
  }
  return value;
}

IconPixel ParseColour(const std::string& word, int line) {
  if (word == "clear") return std::nullopt;
  std::istringstream parts(word);
  std::string red, green, blue, extra;
  if (!std::getline(parts, red, ',') || !std::getline(parts, green, ',') ||
      !std::getline(parts, blue, ',') || std::getline(parts, extra)) {
    throw ArtError(line, "expected 'clear' or R,G,B, found '" + word + "'");
  }
  const auto channel = [line](const std::string& text) {
    return static_cast<std::uint8_t>(ParseNumber(text, 0, 255, line));
  };
  return IconColour{channel(red), channel(green), channel(blue)};
}

void ParseImageRequest(const std::vector<std::string>& words, int line, ArtFile& art) {
  if (words.size() != 5) throw ArtError(line, "expected: image FILE LOOK SIZE BITS");
  const int bits = ParseNumber(words[4], 4, 24, line);
  if (bits != 4 && bits != 24) throw ArtError(line, "bits per pixel must be 4 or 24");
  const IconDepth depth = bits == 4 ? IconDepth::kSixteenColours : IconDepth::kTrueColour;
  art.images.push_back({words[1], words[2], ParseNumber(words[3], 1, 256, line), depth, line});
}

void ParseLegendHeader(const std::vector<std::string>& words, int line, ArtFile& art) {
  if (!art.looks.empty()) throw ArtError(line, "a second legend");
  if (words.size() < 2) throw ArtError(line, "expected: legend LOOK...");
  art.looks.assign(words.begin() + 1, words.end());
}

// Legend characters are quoted, so '#' can be a pixel while # starts a comment.
bool IsQuotedCharacter(const std::string& word) {
  return word.size() == 3 && word.front() == '\'' && word.back() == '\'';
}

void ParseLegendEntry(const std::vector<std::string>& words, int line, ArtFile& art) {
  if (art.looks.empty()) throw ArtError(line, "legend entry before the legend line");
  if (words.size() != art.looks.size() + 1) {
    throw ArtError(
        line, "expected one colour for each of the " + std::to_string(art.looks.size()) + " looks");
  }
  std::vector<IconPixel> pixels;
  for (std::size_t look = 0; look < art.looks.size(); ++look) {
    pixels.push_back(ParseColour(words[look + 1], line));
  }
  if (!art.legend.emplace(words[0][1], pixels).second) {
    throw ArtError(line, "character " + words[0] + " is in the legend twice");
  }
}

void CheckPictureRow(const std::string& row, int side, int line, const ArtFile& art) {
  if (row.size() != static_cast<std::size_t>(side)) {
    throw ArtError(
        line, "expected " + std::to_string(side) + " pixels, found " + std::to_string(row.size()));
  }
  for (char pixel : row) {
    if (!art.legend.contains(pixel)) {
      throw ArtError(line, std::string("character '") + pixel + "' is not in the legend");
    }
  }
}

void ParsePicture(const std::vector<std::string>& words, LineReader& reader, ArtFile& art) {
  const int start = reader.number();
  if (words.size() != 2) throw ArtError(start, "expected: picture SIZE");
  if (art.legend.empty()) throw ArtError(start, "picture before the legend");
  const int side = ParseNumber(words[1], 1, 256, start);
  if (art.pictures.contains(side)) throw ArtError(start, "a second picture of this size");
  std::vector<std::string> rows;
  for (std::string row; static_cast<int>(rows.size()) < side; rows.push_back(row)) {
    if (!reader.Next(row)) throw ArtError(reader.number(), "picture ends early");
    CheckPictureRow(row, side, reader.number(), art);
  }
  art.pictures.emplace(side, std::move(rows));
}

void ParseLine(const std::string& line, LineReader& reader, ArtFile& art) {
  const std::vector<std::string> words = SplitWords(line);
  if (words.empty() || words[0][0] == '#') return;
  const int number = reader.number();
  if (words[0] == "image") return ParseImageRequest(words, number, art);
  if (words[0] == "legend") return ParseLegendHeader(words, number, art);
  if (words[0] == "picture") return ParsePicture(words, reader, art);
  if (IsQuotedCharacter(words[0])) return ParseLegendEntry(words, number, art);
  throw ArtError(number, "unknown line '" + words[0] + "'");
}

void CheckRequestsMet(const ArtFile& art) {
  for (const ArtImageRequest& request : art.images) {
    if (std::find(art.looks.begin(), art.looks.end(), request.look) == art.looks.end()) {
      throw ArtError(request.line, "no look '" + request.look + "' in the legend");
    }
    if (!art.pictures.contains(request.size)) {
      throw ArtError(request.line, "no picture of size " + std::to_string(request.size));
    }
  }
}

}  // namespace

ArtFile ParseArtFile(std::istream& text) {
  ArtFile art;
  LineReader reader(text);
  for (std::string line; reader.Next(line);) ParseLine(line, reader, art);
  CheckRequestsMet(art);
  return art;
}

IconImage RenderArtImage(const ArtFile& art, const ArtImageRequest& request) {
  const auto look = std::find(art.looks.begin(), art.looks.end(), request.look);
  const auto picture = art.pictures.find(request.size);
  if (look == art.looks.end() || picture == art.pictures.end()) {
    throw ArtError(request.line, "no such look or picture size");
  }
  const auto look_index = static_cast<std::size_t>(look - art.looks.begin());
  IconImage image{request.size, request.size, request.depth, {}};
  for (const std::string& row : picture->second) {
    for (char pixel : row) image.pixels.push_back(art.legend.at(pixel)[look_index]);
  }
  return image;
}

}  // namespace murvane
