// A loaded window: the control values that the program reads and writes, kept in
// one place and mirrored to the native widgets. A control's change handler runs
// whenever its value changes, whoever changed it, and never when a set leaves the
// value as it was.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "forms/form_desc.h"
#include "platform/platform.h"

namespace murvane {

// The handlers a window class (frmMain, frmAbout) supplies.
class FormHandlers {
 public:
  virtual ~FormHandlers() = default;
  virtual void Click(const ControlId&) {}
  virtual void Change(const ControlId&) {}
  virtual void MouseMove(const ControlId&) {}
  virtual void TimerTick(const ControlId&) {}
  // Any non-zero cancel keeps the window loaded.
  virtual void QueryUnload(std::int16_t& /*cancel*/, int /*reason*/) {}
  virtual void Unloaded() {}
  virtual void TrayCallback(std::uint32_t /*iconId*/, std::uint32_t /*mouseMessage*/) {}
  virtual void TrayRecreated() {}
  virtual void TrayGroundChanged() {}
};

class Form final : private NativeWindowEvents {
 public:
  // Creates the native window, hidden, with each image's design-time picture.
  Form(Platform& platform, const WindowDesc& layout, FormHandlers& handlers);
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  bool IsLoaded() const { return native_ != nullptr; }
  std::int32_t hWnd() const;
  const WindowDesc& Layout() const { return layout_; }

  void Show();
  void Hide();
  void SetCaption(const std::u16string& caption);

  int Value(const ControlId& id) const;
  void SetValue(const ControlId& id, int value);
  const std::u16string& Text(const ControlId& id) const;
  void SetText(const ControlId& id, const std::u16string& text);
  PicturePtr Picture(const ControlId& id) const;
  void SetPicture(const ControlId& id, PicturePtr picture);
  void SetForeColour(const ControlId& id, Colour colour);

  // Runs the chosen item's Click handler before returning.
  void PopupMenu(const std::string& menuName);
  // A menu item's tick, shown from the next time its menu opens.
  void SetMenuChecked(const std::string& itemName, bool checked);

  // Asks the window to unload with the given reason; false when a handler
  // cancelled. After an unload the controls are gone and the native window is
  // destroyed.
  bool Unload(int reason);

 private:
  struct Control {
    const ControlDesc* desc;
    ControlView view;
  };

  Control& At(const ControlId& id);
  const Control& At(const ControlId& id) const;
  void Mirror(const ControlId& id, const Control& control);
  MenuDesc WithTicks(const MenuDesc& menu) const;

  void OnClick(const ControlId& control) override;
  void OnCheckBoxClicked(const ControlId& control) override;
  void OnPointerMove(const ControlId& control) override;
  void OnTimer(const ControlId& timer) override;
  bool OnCloseRequest(int reason) override;
  void OnTrayCallback(std::uint32_t iconId, std::uint32_t mouseMessage) override;
  void OnTrayRecreated() override;
  void OnTrayGroundChanged() override;

  Platform& platform_;
  const WindowDesc& layout_;
  FormHandlers& handlers_;
  std::map<ControlId, Control> controls_;
  std::set<std::string> checkedItems_;
  std::unique_ptr<NativeWindow> native_;
};

}  // namespace murvane
