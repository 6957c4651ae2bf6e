#include "platform/win32/pictures_win32.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "platform/ico/ico_check.h"
#include "platform/win32/dpi_win32.h"
#include "platform/win32/text_win32.h"
#include "resource_ids.h"

namespace murvane::win32 {
namespace {

IconCounts iconCounts;
// Every live picture, to find one by its identity handle; there are a handful.
std::vector<const IconPicture*> livePictures;

struct BuiltIn {
  std::string_view name;
  int id;
};
constexpr std::array<BuiltIn, 10> kBuiltIns = {{
    {"Murvane", IDI_MURVANE},
    {"CapsLock.off", IDI_CAPSLOCK_OFF},
    {"CapsLock.on", IDI_CAPSLOCK_ON},
    {"NumLock.off", IDI_NUMLOCK_OFF},
    {"NumLock.on", IDI_NUMLOCK_ON},
    {"ScrollLock.off", IDI_SCROLLLOCK_OFF},
    {"ScrollLock.on", IDI_SCROLLLOCK_ON},
    {"CapsLock.on.dark", IDI_CAPSLOCK_ON_DARK},
    {"NumLock.on.dark", IDI_NUMLOCK_ON_DARK},
    {"ScrollLock.on.dark", IDI_SCROLLLOCK_ON_DARK},
}};

PicturePtr Own(HICON icon, int size, IconPicture::Remake remake) {
  if (!icon) return nullptr;
  return std::make_shared<IconPicture>(icon, size, std::move(remake));
}

constexpr std::size_t kDirectoryHeader = 6;
constexpr std::size_t kFileEntry = 16;      // ICONDIRENTRY: ends with a 4-byte file offset
constexpr std::size_t kResourceEntry = 14;  // GRPICONDIRENTRY: ends with a 2-byte id

std::uint32_t Le32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// The file's directory restated as a resource directory, with entry i numbered
// i + 1, so the system's own choice of image for a size can be asked for.
std::vector<std::uint8_t> ResourceDirectory(std::span<const std::uint8_t> file, std::size_t count) {
  std::vector<std::uint8_t> directory(file.begin(), file.begin() + kDirectoryHeader);
  for (std::size_t i = 0; i < count; ++i) {
    const auto entry = file.subspan(kDirectoryHeader + i * kFileEntry, kResourceEntry - 2);
    directory.insert(directory.end(), entry.begin(), entry.end());
    directory.push_back(static_cast<std::uint8_t>(i + 1));
    directory.push_back(static_cast<std::uint8_t>((i + 1) >> 8));
  }
  return directory;
}

std::vector<std::uint8_t> ReadSmallFile(const std::u16string& path) {
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::vector<std::uint8_t> bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
      static_cast<unsigned long long>(size.QuadPart) <= kMaxIconFileBytes) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read != bytes.size()) {
      bytes.clear();
    }
  }
  CloseHandle(file);
  return bytes;
}

}  // namespace

IconCounts CountIcons() {
  return iconCounts;
}

IconPicture::IconPicture(HICON icon, int size, Remake remake)
    : icon_(icon), size_(size), remake_(std::move(remake)) {
  ++iconCounts.created;
  livePictures.push_back(this);
}

IconPicture::~IconPicture() {
  livePictures.erase(std::find(livePictures.begin(), livePictures.end(), this));
  for (const auto& [size, icon] : sizes_) {
    DestroyIcon(icon);
    ++iconCounts.destroyed;
  }
  DestroyIcon(icon_);
  ++iconCounts.destroyed;
}

HICON IconPicture::At(int size) const {
  if (size == size_ || size <= 0 || !remake_) return icon_;
  for (const auto& [made, icon] : sizes_) {
    if (made == size) return icon;
  }
  HICON icon = remake_(size);
  if (!icon) return icon_;
  ++iconCounts.created;
  sizes_.emplace_back(size, icon);
  return icon;
}

const IconPicture* PictureOfIcon(HICON icon) {
  for (const IconPicture* picture : livePictures) {
    if (picture->Icon() == icon) return picture;
  }
  return nullptr;
}

HICON IconAtSize(HICON identity, int size) {
  const IconPicture* picture = identity ? PictureOfIcon(identity) : nullptr;
  return picture ? picture->At(size) : identity;
}

std::int32_t IconPicture::Handle() const {
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(icon_));
}

HICON IconOf(const Picture& picture) {
  return reinterpret_cast<HICON>(static_cast<std::intptr_t>(picture.Handle()));
}

int SmallIconSize() {
  return TrayIconSize();
}

namespace {

HICON BuiltInIcon(int id, int size) {
  // Not LR_SHARED: the picture owns the handle and destroys it.
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                       size, size, LR_DEFAULTCOLOR));
}

// Only for bytes that passed the icon check: every entry lies inside them.
HICON FileIcon(std::span<const std::uint8_t> bytes, int size) {
  const std::size_t count = bytes[4] | bytes[5] << 8;
  std::vector<std::uint8_t> directory = ResourceDirectory(bytes, count);
  const int chosen =
      LookupIconIdFromDirectoryEx(directory.data(), TRUE, size, size, LR_DEFAULTCOLOR);
  if (chosen < 1 || static_cast<std::size_t>(chosen) > count) return nullptr;
  const std::size_t entry = kDirectoryHeader + (chosen - 1) * kFileEntry;
  const std::uint32_t imageBytes = Le32(bytes, entry + 8);
  const std::uint32_t offset = Le32(bytes, entry + 12);
  auto* image = const_cast<BYTE*>(bytes.data() + offset);
  constexpr DWORD kIconFormatVersion = 0x00030000;
  return CreateIconFromResourceEx(image, imageBytes, TRUE, kIconFormatVersion, size, size,
                                  LR_DEFAULTCOLOR);
}

}  // namespace

PicturePtr LoadBuiltInIcon(const std::string& name, int size) {
  for (const BuiltIn& builtIn : kBuiltIns) {
    if (builtIn.name != name) continue;
    const int id = builtIn.id;
    return Own(BuiltInIcon(id, size), size, [id](int other) { return BuiltInIcon(id, other); });
  }
  return nullptr;
}

// The bytes are kept for other sizes, so the file is never read again.
PicturePtr IconFromFileBytes(std::span<const std::uint8_t> bytes, int size) {
  return Own(FileIcon(bytes, size), size,
             [kept = std::vector<std::uint8_t>(bytes.begin(), bytes.end())](int other) {
               return FileIcon(kept, other);
             });
}

PicturePtr Win32PictureSource::LoadResource(const std::string& name) {
  return LoadBuiltInIcon(name, SmallIconSize());
}

// The file is read once and checked before any system loader parses it; the
// image then comes from those same bytes, so nothing can swap the file in between.
PicturePtr Win32PictureSource::LoadIconFile(const std::u16string& path) {
  const std::vector<std::uint8_t> bytes = ReadSmallFile(path);
  if (!IsWellFormedIcon(bytes)) return nullptr;
  return IconFromFileBytes(bytes, SmallIconSize());
}

}  // namespace murvane::win32
