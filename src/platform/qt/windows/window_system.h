// Windows, the warning box, the task list and the event loop.
#pragma once

#include <functional>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/pictures/pictures.h"
#include "platform/qt/quiet_ticks.h"
#include "platform/qt/tray/tray_menu.h"
#include "platform/qt/windows/window.h"
#include "platform/qt/windows/window_registry.h"

namespace murvane::qt {

class QtWindowSystem final : public WindowSystem {
 public:
  QtWindowSystem(WindowRegistry& registry, QtPictureSource& pictures, TrayMenuSession& trayMenus);

  // Runs once, before the program's first window exists (and so before its
  // first tray icon and its first timer).
  void BeforeFirstWindow(std::function<void()> call) { beforeFirstWindow_ = std::move(call); }
  // The windows' timers sleep while quiet; every call on a window wakes them.
  void SetQuietTicks(QuietTicks& ticks) { quietTicks_ = &ticks; }
  // How the desktop is told whether a window belongs in its task list; Qt has
  // no word for that, so the desktop's own backend brings it.
  void ListInTaskListWith(std::function<void(QWidget&, bool)> list) {
    listInTaskList_ = std::move(list);
  }
  // The density windows are laid out at; the screen's logical one unless set.
  void SetDpi(Dpi dpi) { dpi_ = dpi; }

  std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowDesc& layout,
                                                   NativeWindowEvents& events) override;
  void ShowWarning(std::int32_t owner, const std::u16string& text,
                   const std::u16string& caption) override;
  void SetTaskListVisible(bool visible) override;
  void Quit() override;

  // Every window is asked to unload as at the end of the session.
  void EndSession();
  // The tray host started again: every window hears that its icons are gone.
  void TrayRecreated();
  void TrayGroundChanged();
  // Runs the event loop until Quit; returns the exit code.
  int Run();
  bool TaskListVisible() const { return listed_; }
  bool HasWindows() const { return !registry_.Handles().empty(); }
  QtWindow* Find(std::int32_t handle) const;

 private:
  void TellEveryWindow(const std::function<void(NativeWindowEvents&)>& tell);
  WindowEnvironment Environment() const;
  void ApplyTaskList(QtWindow& window) const;

  WindowRegistry& registry_;
  QtPictureSource& pictures_;
  TrayMenuSession& trayMenus_;
  std::function<void()> beforeFirstWindow_;
  std::function<void(QWidget&, bool)> listInTaskList_;
  std::optional<Dpi> dpi_;
  QuietTicks* quietTicks_ = nullptr;
  std::vector<QtWindow*> windows_;  // in creation order; the first is the main window
  bool listed_ = false;
  bool quitAsked_ = false;
};

}  // namespace murvane::qt
