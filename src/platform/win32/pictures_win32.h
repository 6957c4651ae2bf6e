// Icon pictures: the built-in ones from the program's resources and icon files
// the user names, each owning its HICON.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

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

// Owns one icon handle and destroys it exactly once, when the picture goes. The
// handle, made at the size the picture was loaded for, is the picture's identity;
// the same picture at other sizes (another monitor's density, a new taskbar
// size) is made from its source when first asked for, and kept, one handle a
// size, until the picture goes.
class IconPicture final : public Picture {
 public:
  using Remake = std::function<HICON(int size)>;
  explicit IconPicture(HICON icon, int size = 0, Remake remake = {});
  ~IconPicture() override;
  IconPicture(const IconPicture&) = delete;
  IconPicture& operator=(const IconPicture&) = delete;

  std::int32_t Handle() const override;
  HICON Icon() const { return icon_; }
  // The picture at a size: its own handle at its own size (or when it cannot be
  // made again), otherwise the frame for that size.
  HICON At(int size) const;

 private:
  HICON icon_;
  int size_;
  Remake remake_;
  mutable std::vector<std::pair<int, HICON>> sizes_;
};

// The picture whose identity is this handle, or null for a handle no picture of
// this backend owns.
const IconPicture* PictureOfIcon(HICON icon);
// The handle to draw or send for a picture's identity at a size: the frame for
// the size when a picture owns the handle, the handle itself otherwise.
HICON IconAtSize(HICON identity, int size);

// The icon's handle as a picture carries it, back as an HICON.
HICON IconOf(const Picture& picture);

// The notification area's icon size at the taskbar's density: what every picture
// of the program is loaded for.
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
