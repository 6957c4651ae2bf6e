// The program as a whole: the main window, the About window when open, and the
// rule that the program ends once none of its windows remains loaded.
#pragma once

#include <memory>
#include <optional>

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

enum class StartOutcome {
  Running,     // the main window is loaded; the message loop drives the rest
  HandedOver,  // another Murvane of this session was asked to show its window
  NoWindow,    // the main window could not be created; the user has been told
};

class Application final : private WindowHost {
 public:
  explicit Application(Platform& platform);
  ~Application() override;

  StartOutcome Start();
  bool AnyWindowLoaded() const;
  // After a fault ended the message loop: no icon may outlive the program.
  void RemoveIcons();

  frmMain& Main() { return *main_; }

 private:
  void ShowAbout() override;
  void WindowUnloaded() override;
  void OnInstanceRequest(InstanceRequest request);

  Platform& platform_;
  std::unique_ptr<frmMain> main_;
  std::unique_ptr<frmAbout> about_;
  bool quit_ = false;
  // A request that came while start-up ran; start-up finishes first.
  bool starting_ = false;
  std::optional<InstanceRequest> pending_;
};

}  // namespace murvane
