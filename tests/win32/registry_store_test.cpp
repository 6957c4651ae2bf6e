// The settings store on the real registry: what is written reads back, anything this program
// could not have written reads as absent, and a refused write is reported.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/settings_registry.h"
#include "platform/win32/text_win32.h"

namespace murvane::win32 {
namespace {

using namespace std::string_literals;

class RegistrySettings : public ::testing::Test {
 protected:
  // A per-process application name, so runs never see each other's values.
  const std::wstring application =
      L"Polden Software\\MurvaneTests" + std::to_wstring(GetCurrentProcessId());
  const std::wstring key = L"Software\\" + application;
  const std::u16string app = Utf16(application);
  RegistrySettingsStore store;

  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); }

  std::u16string Read(const std::u16string& name) { return store.Read(app, u"Settings", name); }
  // Stores raw bytes under the settings key, past the store.
  void PutRaw(const wchar_t* name, DWORD type, const std::wstring& data, std::size_t bytes) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, (key + L"\\Settings").c_str(), name, type,
                              data.c_str(), static_cast<DWORD>(bytes)),
              ERROR_SUCCESS);
  }
};

// No value is written that would read back as absent; a value of another type is replaced.
TEST_F(RegistrySettings, WrittenTextsReadBackAndRefusedWritesAreReported) {
  PutRaw(L"CapsLockShow", REG_DWORD, L"\1", 4);
  const std::u16string longest(kMaxSettingBytes / 2 - 1, u'x');
  const std::tuple<std::u16string, std::u16string, bool> writes[] = {
      {u"CapsLockOnIcon", u"C:\\Icone\\Citt\u00e0 \u2603.ico", true},
      {u"CapsLockShow", u"1", true},
      {u"NumLockShow", u"", true},
      {u"Longest", longest, true},
      {u"TooLong", longest + u'x', false}};
  for (const auto& [name, value, written] : writes) {
    EXPECT_EQ(store.Write(app, u"Settings", name, value), written);
    EXPECT_EQ(Read(name), written ? value : u"");
  }
}

TEST_F(RegistrySettings, ValuesThisProgramCouldNotHaveWrittenReadEmpty) {
  EXPECT_EQ(Read(u"CapsLockShow"), u"") << "no key at all";
  const std::size_t fits = kMaxSettingBytes / 2 - 1;  // characters that fit with the NUL
  const std::tuple<const wchar_t*, DWORD, std::wstring, std::size_t, std::u16string> values[] = {
      {L"Expandable", REG_EXPAND_SZ, L"%TEMP%\\a.ico", 26, u""},
      // The registry adds the NUL itself when the caller's buffer has one right after the
      // counted bytes; a character there keeps the value unterminated.
      {L"Unterminated", REG_SZ, L"0x", 2, u""},
      {L"OddLength", REG_SZ, L"abc", 5, u""},
      {L"Terminated", REG_SZ, L"abc", 8, u"abc"},
      {L"TwoParts", REG_SZ, L"C:\\a.ico\0C:\\b.ico"s, 36, u"C:\\a.ico"},
      {L"Longest", REG_SZ, std::wstring(fits, L'x'), (fits + 1) * 2, std::u16string(fits, u'x')},
      {L"TooLong", REG_SZ, std::wstring(fits + 1, L'x'), (fits + 2) * 2, u""},
  };
  for (const auto& [name, type, data, bytes, reads] : values) {
    PutRaw(name, type, data, bytes);
    EXPECT_EQ(Read(Utf16(name)), reads) << name;
  }
  EXPECT_EQ(store.Read(app, u"NoSuchSection", u"Terminated"), u"");
}

}  // namespace
}  // namespace murvane::win32
