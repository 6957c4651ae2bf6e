// The program's windows by handle: the tray record names its window only by the
// handle, and a callback must find out whether that window still exists.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/platform.h"

namespace murvane::qt {

class WindowRegistry {
 public:
  struct Entry {
    NativeWindowEvents* events;
    const WindowDesc* layout;
    MenuDesc trayMenu;  // the window's tray icons' menu as last told, ticks included
  };

  std::int32_t Add(NativeWindowEvents& events, const WindowDesc& layout) {
    const std::int32_t handle = next_;
    next_ += 2;
    windows_[handle] = {&events, &layout, layout.menus.empty() ? MenuDesc{} : layout.menus[0]};
    return handle;
  }
  // A panel shows the copy of the menu it read: it must hear of a new tick at once.
  void SetTrayMenu(std::int32_t handle, const MenuDesc& menu) {
    auto found = windows_.find(handle);
    if (found == windows_.end() || found->second.trayMenu.name != menu.name) return;
    found->second.trayMenu = menu;
    if (trayMenuChanged_) trayMenuChanged_(handle);
  }
  void OnTrayMenuChanged(std::function<void(std::int32_t handle)> listener) {
    trayMenuChanged_ = std::move(listener);
  }
  void Remove(std::int32_t handle) { windows_.erase(handle); }
  const Entry* Find(std::int32_t handle) const {
    auto found = windows_.find(handle);
    return found == windows_.end() ? nullptr : &found->second;
  }
  std::vector<std::int32_t> Handles() const {
    std::vector<std::int32_t> handles;
    for (const auto& [handle, entry] : windows_) handles.push_back(handle);
    return handles;
  }

 private:
  std::map<std::int32_t, Entry> windows_;
  std::function<void(std::int32_t)> trayMenuChanged_;
  std::int32_t next_ = 0x10010;
};

}  // namespace murvane::qt
