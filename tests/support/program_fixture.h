// Starts Murvane on the fake platform and speaks the user's language to it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/application.h"
#include "app/frm_main.h"
#include "app/lock_keys.h"
#include "platform/fake/fake_platform.h"

namespace murvane::testing {

// Tray ids as the shell knows them.
constexpr std::int32_t kNumId = 1;
constexpr std::int32_t kCapsId = 2;
constexpr std::int32_t kScrollId = 3;

constexpr std::int16_t kToggled = 1;
constexpr std::int16_t kHeldDown = static_cast<std::int16_t>(0xFF80);

// Bytes of a small, valid icon file, and of things that only look like one.
std::vector<std::uint8_t> ValidIconBytes();
std::vector<std::uint8_t> BitmapFileBytes();

class ProgramTest : public ::testing::Test {
 protected:
  void Start();
  frmMain& Main() { return app->Main(); }
  Form& Config() { return app->Main().Window(); }
  fake::FakeWindowState& ConfigScreen();

  void SetKey(Key key, std::int16_t state) { sys.keyboard.Set(KeyInfo(key).virtualKey, state); }
  // The user chooses a tray menu item through a right-click on the Num Lock icon.
  void ChooseFromTrayMenu(const std::string& item);
  void OpenConfiguration() { ChooseFromTrayMenu("mnuConfigure"); }
  void ClickMain(const ControlId& id) { sys.Click("frmMain", id); }
  void ClickShowBox(Key key) { sys.ClickCheckBox("frmMain", KeyInfo(key).ShowBox()); }
  std::u16string PathText(Key key, int slot) { return Config().Text(KeyInfo(key).PathText(slot)); }
  std::string CurrentPicture(Key key, int slot);
  // The icons the shell was asked to change since call number `first`, in order.
  std::vector<std::int32_t> ModifiedSince(std::size_t first);
  // Puts a valid icon file at the path in the fake file system.
  void PutIcon(const std::u16string& path);

  fake::FakePlatform sys;
  std::unique_ptr<Application> app;
};

std::string Narrow(const std::u16string& text);

}  // namespace murvane::testing
