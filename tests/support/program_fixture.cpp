// Helpers of the program tests: Murvane on the fake platform, the user's moves, sample files.
#include "support/program_fixture.h"

#include "icon_maker/ico_writer.h"

namespace murvane::testing {

void ProgramTest::Start() {
  app = std::make_unique<Application>(sys.Get());
  app->Start();
}

fake::FakeWindowState& ProgramTest::ConfigScreen() {
  fake::FakeWindowState* window = sys.windows.Live("frmMain");
  if (!window) throw std::logic_error("the main window is not loaded");
  return *window;
}

void ProgramTest::ChooseFromTrayMenu(const std::string& item) {
  sys.windows.WillChooseFromMenu(item);
  const std::int32_t anyShown = sys.tray.Shown().at(0).uID;
  sys.RightClickIcon(anyShown);
}

std::string ProgramTest::CurrentPicture(Key key, int slot) {
  PicturePtr picture = Config().Picture(KeyInfo(key).CurrentPicture(slot));
  return picture ? sys.pictures.Describe(picture->Handle()) : "";
}

void ProgramTest::PutIcon(const std::u16string& path) {
  sys.files.Put(path, {ValidIconBytes()});
}

std::vector<std::uint8_t> ValidIconBytes() {
  return MakeSolidIcon(16, {200, 30, 30});
}

std::vector<std::uint8_t> BitmapFileBytes() {
  std::vector<std::uint8_t> bytes = {'B', 'M'};
  bytes.resize(70, 0);
  return bytes;
}

std::string Narrow(const std::u16string& text) {
  std::string narrow;
  for (char16_t c : text) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return narrow;
}

std::vector<std::int32_t> ProgramTest::ModifiedSince(std::size_t first) {
  std::vector<std::int32_t> ids;
  const auto& calls = sys.tray.Calls();
  for (std::size_t i = first; i < calls.size(); ++i) {
    if (calls[i].message == NotifyMessage::Modify) ids.push_back(calls[i].uID());
  }
  return ids;
}

}  // namespace murvane::testing
