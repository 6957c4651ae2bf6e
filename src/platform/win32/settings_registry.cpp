#include "platform/win32/settings_registry.h"

#include <windows.h>

#include "platform/win32/text_win32.h"

namespace murvane::win32 {
namespace {

std::wstring KeyPath(const std::u16string& application, const std::u16string& section) {
  return L"Software\\" + Wide(application) + L"\\" + Wide(section);
}

// Closes the key on every way out.
class OpenKey {
 public:
  OpenKey() = default;
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY* Out() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// The stored bytes of a REG_SZ value that ends in its NUL, as text up to the first
// NUL. RegGetValue would quietly add a missing terminator, so the stored form is
// read as it is; anything else (other type, odd size, no terminator, too long) is
// not a value this program wrote and counts as absent.
std::u16string ReadStoredText(HKEY key, const std::wstring& name) {
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
    return {};
  }
  if (type != REG_SZ || bytes < sizeof(wchar_t) || bytes % sizeof(wchar_t) != 0 ||
      bytes > kMaxSettingBytes) {
    return {};
  }
  std::wstring text(bytes / sizeof(wchar_t), L'\0');
  DWORD read = bytes;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                       &read) != ERROR_SUCCESS ||
      type != REG_SZ || read != bytes || text.back() != L'\0') {
    return {};
  }
  text.resize(text.find(L'\0'));
  return Utf16(text);
}

}  // namespace

std::u16string RegistrySettingsStore::Read(const std::u16string& application,
                                           const std::u16string& section,
                                           const std::u16string& name) {
  OpenKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(application, section).c_str(), 0, KEY_QUERY_VALUE,
                    key.Out()) != ERROR_SUCCESS) {
    return {};
  }
  return ReadStoredText(key.Get(), Wide(name));
}

bool RegistrySettingsStore::Write(const std::u16string& application, const std::u16string& section,
                                  const std::u16string& name, const std::u16string& value) {
  OpenKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(application, section).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.Out(),
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const std::wstring text = Wide(value);
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  if (bytes > kMaxSettingBytes) return false;
  return RegSetValueExW(key.Get(), Wide(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

}  // namespace murvane::win32
