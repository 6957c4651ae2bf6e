// Makes the built-in .ico files from the pixel art:  murvane_icon_maker ART_DIR OUT_DIR
//
// Every *.art file in ART_DIR, taken in name order, asks for images; images for the same
// output file are stored in the order they are asked for. The output is byte-for-byte
// reproducible, so the committed icons can be checked against the art.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>

#include "icon_maker/art_file.h"
#include "icon_maker/ico_writer.h"

namespace fs = std::filesystem;

namespace {

using OutputImages = std::map<std::string, std::vector<murvane::IconImage>>;

std::vector<fs::path> ArtFilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file() && entry.path().extension() == ".art") files.push_back(entry);
  }
  std::sort(files.begin(), files.end());
  return files;
}

void CollectImages(const fs::path& art_path, OutputImages& outputs) {
  std::ifstream text(art_path);
  if (!text) throw std::runtime_error("cannot read");
  const murvane::ArtFile art = murvane::ParseArtFile(text);
  for (const auto& request : art.images) {
    outputs[request.file_name].push_back(murvane::RenderArtImage(art, request));
  }
}

OutputImages CollectAllImages(const fs::path& art_folder) {
  OutputImages outputs;
  for (const fs::path& art_path : ArtFilesIn(art_folder)) {
    try {
      CollectImages(art_path, outputs);
    } catch (const std::exception& error) {
      throw std::runtime_error(art_path.string() + ": " + error.what());
    }
  }
  if (outputs.empty()) throw std::runtime_error("no images asked for in " + art_folder.string());
  return outputs;
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteAllIcons(const OutputImages& outputs, const fs::path& out_folder) {
  fs::create_directories(out_folder);
  for (const auto& [name, images] : outputs) {
    try {
      WriteFile(out_folder / name, murvane::WriteIco(images));
    } catch (const std::invalid_argument& error) {
      throw std::runtime_error(name + ": " + error.what());
    }
    std::cout << name << ": " << images.size() << " images\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: murvane_icon_maker ART_DIR OUT_DIR\n";
    return 2;
  }
  try {
    WriteAllIcons(CollectAllImages(argv[1]), argv[2]);
  } catch (const std::exception& error) {
    std::cerr << "murvane_icon_maker: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
