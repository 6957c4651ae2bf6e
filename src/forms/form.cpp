#include "forms/form.h"

#include <algorithm>
#include <stdexcept>

namespace murvane {

Form::Form(Platform& platform, const WindowDesc& layout, FormHandlers& handlers)
    : platform_(platform), layout_(layout), handlers_(handlers) {
  for (const ControlDesc& desc : layout_.controls) {
    Control control{&desc, {}};
    control.view.text = desc.caption;
    control.view.value = desc.value;
    control.view.foreColour = desc.foreColour;
    if (!desc.picture.empty()) control.view.picture = platform_.pictures.LoadResource(desc.picture);
    controls_.emplace(desc.id, std::move(control));
  }
  native_ = platform_.windows.CreateNativeWindow(layout_, static_cast<NativeWindowEvents&>(*this));
  for (const auto& [id, control] : controls_) {
    if (control.view.picture) Mirror(id, control);
  }
}

Form::~Form() = default;

std::int32_t Form::hWnd() const {
  return native_ ? native_->Handle() : 0;
}

void Form::Show() {
  if (!native_) return;
  native_->Show();
}

void Form::Hide() {
  if (!native_) return;
  native_->Hide();
}

void Form::SetCaption(const std::u16string& caption) {
  if (native_) native_->SetCaption(caption);
}

Form::Control& Form::At(const ControlId& id) {
  auto found = controls_.find(id);
  // The layouts are fixed tables: asking for a control they lack is a program bug.
  if (found == controls_.end()) throw std::logic_error("no control " + id.name);
  return found->second;
}

const Form::Control& Form::At(const ControlId& id) const {
  return const_cast<Form*>(this)->At(id);
}

void Form::Mirror(const ControlId& id, const Control& control) {
  if (native_) native_->Update(id, control.view);
}

int Form::Value(const ControlId& id) const {
  return At(id).view.value;
}

void Form::SetValue(const ControlId& id, int value) {
  Control& control = At(id);
  if (control.view.value == value) return;
  control.view.value = value;
  Mirror(id, control);
  handlers_.Change(id);
}

const std::u16string& Form::Text(const ControlId& id) const {
  return At(id).view.text;
}

void Form::SetText(const ControlId& id, const std::u16string& text) {
  Control& control = At(id);
  if (control.view.text == text) return;
  control.view.text = text;
  Mirror(id, control);
  handlers_.Change(id);
}

PicturePtr Form::Picture(const ControlId& id) const {
  return At(id).view.picture;
}

void Form::SetPicture(const ControlId& id, PicturePtr picture) {
  Control& control = At(id);
  control.view.picture = std::move(picture);
  Mirror(id, control);
}

void Form::SetForeColour(const ControlId& id, Colour colour) {
  Control& control = At(id);
  control.view.foreColour = colour;
  Mirror(id, control);
}

void Form::PopupMenu(const std::string& menuName) {
  const MenuDesc* menu = layout_.FindMenu(menuName);
  if (!native_ || !menu) return;
  std::string chosen = native_->PopupMenu(WithTicks(*menu));
  // The window may have been unloaded while the menu was open.
  if (!chosen.empty() && native_) handlers_.Click(ControlId{chosen});
}

void Form::SetMenuChecked(const std::string& itemName, bool checked) {
  if (checked) {
    checkedItems_.insert(itemName);
  } else {
    checkedItems_.erase(itemName);
  }
  for (const MenuDesc& menu : layout_.menus) {
    const bool holds = std::any_of(menu.items.begin(), menu.items.end(),
                                   [&](const MenuItemDesc& item) { return item.name == itemName; });
    if (holds && native_) native_->MenuChanged(WithTicks(menu));
  }
}

MenuDesc Form::WithTicks(const MenuDesc& menu) const {
  MenuDesc shown = menu;
  for (MenuItemDesc& item : shown.items) item.checked = checkedItems_.contains(item.name);
  return shown;
}

bool Form::Unload(int reason) {
  if (!native_) return true;
  std::int16_t cancel = 0;
  handlers_.QueryUnload(cancel, reason);
  if (cancel != 0) return false;
  native_.reset();
  controls_.clear();
  handlers_.Unloaded();
  return true;
}

void Form::OnClick(const ControlId& control) {
  handlers_.Click(control);
}

void Form::OnCheckBoxClicked(const ControlId& control) {
  SetValue(control, Value(control) == 1 ? 0 : 1);
}

void Form::OnPointerMove(const ControlId& control) {
  handlers_.MouseMove(control);
}

void Form::OnTimer(const ControlId& timer) {
  handlers_.TimerTick(timer);
}

bool Form::OnCloseRequest(int reason) {
  return Unload(reason);
}

void Form::OnTrayCallback(std::uint32_t iconId, std::uint32_t mouseMessage) {
  handlers_.TrayCallback(iconId, mouseMessage);
}

void Form::OnTrayRecreated() {
  handlers_.TrayRecreated();
}

void Form::OnTrayGroundChanged() {
  handlers_.TrayGroundChanged();
}

}  // namespace murvane
