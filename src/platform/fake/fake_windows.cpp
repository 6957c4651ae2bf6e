// The fake window system: windows as state the tests read and drive, and the warning box.
#include <algorithm>

#include "platform/fake/fake_platform.h"

namespace murvane::fake {

namespace {

// The program's handle on a fake window. The state outlives it so that tests
// can still look at a window after the program destroyed it.
class FakeNativeWindow final : public NativeWindow {
 public:
  FakeNativeWindow(FakeWindows& system, std::shared_ptr<FakeWindowState> state)
      : system_(system), state_(std::move(state)) {}
  ~FakeNativeWindow() override {
    state_->alive = false;
    state_->visible = false;
  }

  std::int32_t Handle() const override { return state_->handle; }
  void Show() override { state_->visible = true; }
  void Hide() override { state_->visible = false; }
  void SetCaption(const std::u16string& caption) override { state_->caption = caption; }
  void Update(const ControlId& control, const ControlView& view) override {
    state_->controls[control] = view;
  }
  // Like the real menu, this may outlive its window: what runs meanwhile can
  // unload the window and destroy this object, so nothing of it is used after.
  std::string PopupMenu(const MenuDesc& menu) override {
    state_->menusOpened.push_back(menu.name);
    state_->lastMenu = menu;
    FakeWindows& system = system_;
    if (system.whileMenuOpen) system.whileMenuOpen();
    return system.NextMenuChoice();
  }
  void MenuChanged(const MenuDesc& menu) override { state_->lastMenu = menu; }

 private:
  FakeWindows& system_;
  std::shared_ptr<FakeWindowState> state_;
};

}  // namespace

std::unique_ptr<NativeWindow> FakeWindows::CreateNativeWindow(const WindowDesc& layout,
                                                              NativeWindowEvents& events) {
  if (refuseWindows) return nullptr;
  auto state = std::make_shared<FakeWindowState>();
  state->layout = &layout;
  state->events = &events;
  state->handle = nextHandle_;
  nextHandle_ += 0x10;
  state->caption = layout.caption;
  for (const ControlDesc& control : layout.controls) {
    state->controls[control.id] =
        ControlView{control.caption, control.value, nullptr, control.foreColour};
  }
  windows_.push_back(state);
  return std::make_unique<FakeNativeWindow>(*this, state);
}

void FakeWindows::ShowWarning(std::int32_t owner, const std::u16string& text,
                              const std::u16string& caption) {
  messageBoxes_.push_back({owner, text, caption});
  if (whileWarningOpen) whileWarningOpen();
}

FakeWindowState* FakeWindows::Live(const std::string& name) {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if ((*it)->alive && (*it)->layout->name == name) return it->get();
  }
  return nullptr;
}

FakeWindowState* FakeWindows::ByHandle(std::int32_t handle) {
  for (auto& window : windows_) {
    if (window->alive && window->handle == handle) return window.get();
  }
  return nullptr;
}

int FakeWindows::LiveCount() const {
  return static_cast<int>(std::count_if(windows_.begin(), windows_.end(),
                                        [](const auto& window) { return window->alive; }));
}

int FakeWindows::CreatedCount(const std::string& name) const {
  return static_cast<int>(std::count_if(windows_.begin(), windows_.end(), [&](const auto& window) {
    return window->layout->name == name;
  }));
}

std::vector<FakeWindowState*> FakeWindows::AllLive() {
  std::vector<FakeWindowState*> live;
  for (auto& window : windows_) {
    if (window->alive) live.push_back(window.get());
  }
  return live;
}

std::string FakeWindows::NextMenuChoice() {
  if (menuChoices_.empty()) return "";
  std::string choice = menuChoices_.front();
  menuChoices_.pop_front();
  return choice;
}

}  // namespace murvane::fake
