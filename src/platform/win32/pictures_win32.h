// Icon pictures: the built-in ones from the program's resources and icon files
// the user names, each owning its HICON.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "platform/platform.h"

namespace murvane::win32 {

// Every icon this backend has made and released so far. Wine's GetGuiResources
// answers nothing useful, so leaks are counted here.
struct IconCounts {
  long created = 0;
  long destroyed = 0;
  long Live() const { return created - destroyed; }
};
IconCounts CountIcons();

// Owns one icon handle and destroys it exactly once, when the picture goes.
class IconPicture final : public Picture {
 public:
  explicit IconPicture(HICON icon);
  ~IconPicture() override;
  IconPicture(const IconPicture&) = delete;
  IconPicture& operator=(const IconPicture&) = delete;

  std::int32_t Handle() const override;
  HICON Icon() const { return icon_; }

 private:
  HICON icon_;
};

// The icon's handle as a picture carries it, back as an HICON.
HICON IconOf(const Picture& picture);

// The notification area's icon size: what every picture of the program is made for.
int SmallIconSize();

// A built-in picture at a given size, or null for an unknown name.
PicturePtr LoadBuiltInIcon(const std::string& name, int size);

// An icon image taken from the bytes of a well-formed icon file, or null.
PicturePtr IconFromFileBytes(std::span<const std::uint8_t> bytes, int size);

class Win32PictureSource final : public PictureSource {
 public:
  PicturePtr LoadResource(const std::string& name) override;
  PicturePtr LoadIconFile(const std::u16string& path) override;
};

}  // namespace murvane::win32
