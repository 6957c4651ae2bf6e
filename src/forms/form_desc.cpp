#include "forms/form_desc.h"

namespace murvane {

const ControlDesc* WindowDesc::Find(const ControlId& id) const {
  for (const ControlDesc& control : controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

const MenuDesc* WindowDesc::FindMenu(const std::string& menuName) const {
  for (const MenuDesc& menu : menus) {
    if (menu.name == menuName) return &menu;
  }
  return nullptr;
}

}  // namespace murvane
