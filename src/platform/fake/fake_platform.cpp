#include "platform/fake/fake_platform.h"

#include <stdexcept>

namespace murvane::fake {

namespace {

const std::u16string kApplication = u"Polden Software\\Murvane";
const std::u16string kSection = u"Settings";

FakeWindowState& MustBeLive(FakeWindows& windows, const std::string& name) {
  FakeWindowState* window = windows.Live(name);
  if (!window) throw std::logic_error("no live window " + name);
  return *window;
}

}  // namespace

std::int16_t FakeKeyboard::GetKeyState(int virtualKey) {
  ++reads_;
  auto found = states_.find(virtualKey);
  return found == states_.end() ? 0 : found->second;
}

std::u16string FakeSettings::Read(const std::u16string& application, const std::u16string& section,
                                  const std::u16string& name) {
  auto found = values_.find({application, section, name});
  return found == values_.end() ? u"" : found->second;
}

bool FakeSettings::Write(const std::u16string& application, const std::u16string& section,
                         const std::u16string& name, const std::u16string& value) {
  if (failing_.contains(name)) return false;
  values_[{application, section, name}] = value;
  writes_.push_back({application, section, name, value, holding_});
  return true;
}

void FakeSettings::Put(const std::u16string& name, const std::u16string& value) {
  values_[{kApplication, kSection, name}] = value;
}

std::optional<std::u16string> FakeSettings::Get(const std::u16string& name) const {
  auto found = values_.find({kApplication, kSection, name});
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

// Like the real dialog: the chosen path and a NUL overwrite the start of the
// buffer, and the rest of what the caller put there stays.
bool FakeFileDialog::GetOpenFileName(OpenFileNameRecord& record) {
  requests_.push_back(record);
  if (whileOpen) whileOpen();
  std::optional<std::u16string> answer;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  if (!answer || answer->size() + 1 > record.nMaxFile) return false;
  record.lpstrFile.replace(0, answer->size() + 1, *answer + u'\0');
  return true;
}

bool FakeInstance::Claim(std::function<void(InstanceRequest)> onRequest) {
  if (otherRunning) return false;
  onRequest_ = std::move(onRequest);
  return true;
}

bool FakeInstance::AskRunning(InstanceRequest request) {
  asked_.push_back(request);
  return otherRunning && otherAnswers;
}

void FakeInstance::Deliver(InstanceRequest request) {
  if (onRequest_) onRequest_(request);
}

std::int32_t FakeShell::Execute(const ShellExecuteRequest& request) {
  requests_.push_back(request);
  return 42;  // ShellExecute's success answers are anything above 32
}

FakePlatform::FakePlatform()
    : platform_{tray,
                ansi,
                keyboard,
                settings,
                files,
                pictures,
                fileDialog,
                shell,
                windows,
                instance,
                display,
                AppIdentity{u"Murvane", 1, 3, 0, u"", u"Polden Software",
                            u"C:\\Program Files\\Murvane"}} {
  tray.isLive = [this](std::int32_t handle) { return pictures.IsLive(handle); };
}

void FakePlatform::Tick(int times) {
  for (int i = 0; i < times; ++i) {
    for (FakeWindowState* window : windows.AllLive()) {
      for (const ControlDesc& control : window->layout->controls) {
        if (control.kind == ControlKind::Timer && window->alive)
          window->events->OnTimer(control.id);
      }
    }
  }
}

bool FakePlatform::MouseOnIcon(std::int32_t uID, std::uint32_t mouseMessage) {
  const ShownIcon* icon = tray.Find(uID);
  if (!icon) return false;
  FakeWindowState* window = windows.ByHandle(icon->hWnd);
  if (!window) return false;
  window->events->OnTrayCallback(static_cast<std::uint32_t>(uID), mouseMessage);
  return true;
}

void FakePlatform::RightClickIcon(std::int32_t uID) {
  constexpr std::uint32_t kWmRButtonDown = 516;
  constexpr std::uint32_t kWmRButtonUp = 517;
  if (!MouseOnIcon(uID, kWmRButtonDown)) throw std::logic_error("no such icon in the tray");
  MouseOnIcon(uID, kWmRButtonUp);
}

void FakePlatform::RestartShell() {
  tray.Forget();
  for (FakeWindowState* window : windows.AllLive()) window->events->OnTrayRecreated();
}

void FakePlatform::SetTrayGround(bool dark) {
  tray.darkGround = dark;
  for (FakeWindowState* window : windows.AllLive()) window->events->OnTrayGroundChanged();
}

void FakePlatform::EndSession() {
  for (FakeWindowState* window : windows.AllLive()) window->events->OnCloseRequest(kUnloadBySystem);
}

void FakePlatform::Click(const std::string& window, const ControlId& control) {
  MustBeLive(windows, window).events->OnClick(control);
}

void FakePlatform::ClickCheckBox(const std::string& window, const ControlId& control) {
  MustBeLive(windows, window).events->OnCheckBoxClicked(control);
}

void FakePlatform::PointerOver(const std::string& window, const ControlId& control) {
  MustBeLive(windows, window).events->OnPointerMove(control);
}

void FakePlatform::CloseBox(const std::string& window) {
  MustBeLive(windows, window).events->OnCloseRequest(kUnloadByUser);
}

std::string FakePlatform::PictureOf(std::int32_t uID) const {
  const ShownIcon* icon = tray.Find(uID);
  return icon ? pictures.Describe(icon->hIcon) : "";
}

std::string FakePlatform::TipOf(std::int32_t uID) const {
  const ShownIcon* icon = tray.Find(uID);
  return icon ? icon->tip : "";
}

bool FakePlatform::TrayShowsReleasedHandle() const {
  if (tray.CallsWithReleasedHandle() > 0) return true;
  for (const ShownIcon& icon : tray.Shown()) {
    if (!pictures.IsLive(icon.hIcon)) return true;
  }
  return false;
}

}  // namespace murvane::fake
