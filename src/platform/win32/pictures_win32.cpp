#include "platform/win32/pictures_win32.h"

#include <array>
#include <string_view>
#include <vector>

#include "platform/ico/ico_check.h"
#include "platform/win32/text_win32.h"
#include "resource_ids.h"

namespace murvane::win32 {
namespace {

IconCounts iconCounts;

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

PicturePtr Own(HICON icon) {
  if (!icon) return nullptr;
  return std::make_shared<IconPicture>(icon);
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

IconPicture::IconPicture(HICON icon) : icon_(icon) {
  ++iconCounts.created;
}

IconPicture::~IconPicture() {
  DestroyIcon(icon_);
  ++iconCounts.destroyed;
}

std::int32_t IconPicture::Handle() const {
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(icon_));
}

HICON IconOf(const Picture& picture) {
  return reinterpret_cast<HICON>(static_cast<std::intptr_t>(picture.Handle()));
}

int SmallIconSize() {
  return GetSystemMetrics(SM_CXSMICON);
}

PicturePtr LoadBuiltInIcon(const std::string& name, int size) {
  for (const BuiltIn& builtIn : kBuiltIns) {
    if (builtIn.name != name) continue;
    // Not LR_SHARED: the picture owns the handle and destroys it.
    return Own(
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(builtIn.id),
                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  }
  return nullptr;
}

// Only for bytes that passed the icon check: every entry lies inside them.
PicturePtr IconFromFileBytes(std::span<const std::uint8_t> bytes, int size) {
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
  return Own(CreateIconFromResourceEx(image, imageBytes, TRUE, kIconFormatVersion, size, size,
                                      LR_DEFAULTCOLOR));
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
