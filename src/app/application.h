// The program as a whole: the main window, the About window when open, and the
// rule that the program ends once none of its windows remains loaded.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace murvane {

class frmMain;
class frmAbout;

// What a window needs from the program around it.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  virtual void ShowAbout() = 0;
  virtual void WindowUnloaded() = 0;
};

class Application final : private WindowHost {
 public:
  explicit Application(Platform& platform);
  ~Application() override;

  // Loads the main window; from here on the message loop drives everything.
  void Start();
  bool AnyWindowLoaded() const;

  frmMain& Main() { return *main_; }
  frmAbout* About() { return about_.get(); }

 private:
  void ShowAbout() override;
  void WindowUnloaded() override;

  Platform& platform_;
  std::unique_ptr<frmMain> main_;
  std::unique_ptr<frmAbout> about_;
  bool quit_ = false;
};

}  // namespace murvane
