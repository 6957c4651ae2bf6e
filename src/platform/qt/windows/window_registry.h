// The program's windows by handle: the tray record names its window only by the
// handle, and a callback must find out whether that window still exists.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "platform/platform.h"

namespace murvane::qt {

class WindowRegistry {
 public:
  struct Entry {
    NativeWindowEvents* events;
    const WindowDesc* layout;
  };

  std::int32_t Add(NativeWindowEvents& events, const WindowDesc& layout) {
    const std::int32_t handle = next_;
    next_ += 2;
    windows_[handle] = {&events, &layout};
    return handle;
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
  std::int32_t next_ = 0x10010;
};

}  // namespace murvane::qt
