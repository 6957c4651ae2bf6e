// One top-level window built from a layout table.
#pragma once

#include <QPointer>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/tray/tray_menu.h"
#include "platform/qt/windows/controls.h"
#include "platform/qt/windows/window_registry.h"

namespace murvane::qt {

class WindowFrame;

// What every window of the program shares, handed down by the window system.
struct WindowEnvironment {
  WindowRegistry& registry;
  TrayMenuSession& trayMenus;
  IconLookup icons;
  std::function<PicturePtr(const std::string&)> builtIn;
  Dpi dpi;
};

class QtWindow final : public NativeWindow {
 public:
  QtWindow(const WindowDesc& layout, NativeWindowEvents& events, const WindowEnvironment& env);
  ~QtWindow() override;
  QtWindow(const QtWindow&) = delete;
  QtWindow& operator=(const QtWindow&) = delete;

  std::int32_t Handle() const override { return handle_; }
  void Show() override;
  void Hide() override;
  void SetCaption(const std::u16string& caption) override;
  void Update(const ControlId& control, const ControlView& view) override;
  std::string PopupMenu(const MenuDesc& menu) override;
  void MenuChanged(const MenuDesc& menu) override;

  QWidget& Frame() const;
  // The control's widget; null for lines, timers and unknown ids.
  QWidget* ControlWidget(const ControlId& control) const;

  // Called by the frame; each reads what it needs before calling the program,
  // which may destroy this window from inside any of its events.
  void Clicked(const NativeControl& control);
  void PointerOver(const NativeControl* control);
  void CloseRequested(int reason);
  void EnterPressed();
  void EscapePressed();
  const NativeControl* ByWidget(const QWidget* widget) const;
  const std::vector<NativeControl>& Controls() const { return controls_; }

 private:
  void CreateControls(const WindowDesc& layout);
  void Place(const WindowDesc& layout);
  void SetIcon(const std::string& iconName);
  NativeControl* Find(const ControlId& id);
  void FocusFirstControl();
  // Tells the screen reader what a picture shows when the text that names its file changes.
  void DescribeBy(const ControlId& control, const std::u16string& text);

  NativeWindowEvents& events_;
  WindowEnvironment env_;
  std::int32_t handle_;
  // Every connection to the program goes with this, so none outlives the window.
  std::unique_ptr<QObject> context_ = std::make_unique<QObject>();
  QPointer<WindowFrame> frame_;
  const WindowDesc* layout_;
  std::vector<NativeControl> controls_;
  PicturePtr icon_;
};

}  // namespace murvane::qt
