// The settings store on the real registry: what is written reads back, and
// anything this program could not have written reads as absent.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/settings_registry.h"
#include "support/win32_test_support.h"

namespace murvane::win32 {
namespace {

using test::U16;

class RegistrySettings : public ::testing::Test {
 protected:
  // A per-process application name, so runs never see each other's values.
  const std::wstring application =
      L"Polden Software\\MurvaneTests" + std::to_wstring(GetCurrentProcessId());
  const std::u16string app16 = U16(application);
  const std::u16string section = u"Settings";
  const std::wstring keyPath = L"Software\\" + application + L"\\Settings";
  RegistrySettingsStore store;

  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + application).c_str());
  }

  // Stores raw bytes under the settings key, bypassing the store.
  void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  void PutText(const wchar_t* name, const std::wstring& text, DWORD bytes) {
    PutRaw(name, REG_SZ, text.c_str(), bytes);
  }

  DWORD StoredBytes(const wchar_t* name) {
    DWORD bytes = 0;
    RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, nullptr,
                 nullptr, &bytes);
    return bytes;
  }

  DWORD StoredType(const wchar_t* name) {
    DWORD type = REG_NONE;
    RegGetValueW(HKEY_CURRENT_USER, keyPath.c_str(), name, RRF_RT_ANY, &type, nullptr, nullptr);
    return type;
  }
};

TEST_F(RegistrySettings, WrittenTextsReadBackAsStringValues) {
  const std::u16string path = u"C:\\Icone\\Citt\u00e0 \u2603.ico";
  ASSERT_TRUE(store.Write(app16, section, u"CapsLockOnIcon", path));
  ASSERT_TRUE(store.Write(app16, section, u"CapsLockShow", u"0"));
  ASSERT_TRUE(store.Write(app16, section, u"NumLockShow", u""));

  EXPECT_EQ(store.Read(app16, section, u"CapsLockOnIcon"), path);
  EXPECT_EQ(store.Read(app16, section, u"CapsLockShow"), u"0");
  EXPECT_EQ(store.Read(app16, section, u"NumLockShow"), u"");
  EXPECT_EQ(StoredType(L"CapsLockOnIcon"), static_cast<DWORD>(REG_SZ));
}

TEST_F(RegistrySettings, RewritingReplacesTheValue) {
  ASSERT_TRUE(store.Write(app16, section, u"NumLockOffIcon", u"C:\\a.ico"));
  ASSERT_TRUE(store.Write(app16, section, u"NumLockOffIcon", u"(Default)"));
  EXPECT_EQ(store.Read(app16, section, u"NumLockOffIcon"), u"(Default)");
}

TEST_F(RegistrySettings, WritingReplacesAValueOfAnotherType) {
  const DWORD number = 1;
  PutRaw(L"ScrollLockShow", REG_DWORD, &number, sizeof(number));
  ASSERT_TRUE(store.Write(app16, section, u"ScrollLockShow", u"1"));
  EXPECT_EQ(StoredType(L"ScrollLockShow"), static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(store.Read(app16, section, u"ScrollLockShow"), u"1");
}

TEST_F(RegistrySettings, MissingKeyOrValueReadsEmpty) {
  EXPECT_EQ(store.Read(app16, section, u"CapsLockShow"), u"");
  ASSERT_TRUE(store.Write(app16, section, u"Other", u"x"));
  EXPECT_EQ(store.Read(app16, section, u"CapsLockShow"), u"");
  EXPECT_EQ(store.Read(app16, u"NoSuchSection", u"Other"), u"");
}

TEST_F(RegistrySettings, ValueOfAnotherTypeReadsEmpty) {
  const DWORD number = 0;
  PutRaw(L"AsNumber", REG_DWORD, &number, sizeof(number));
  const std::wstring expandable = L"%TEMP%\\a.ico";
  PutRaw(L"AsExpandable", REG_EXPAND_SZ, expandable.c_str(),
         static_cast<DWORD>((expandable.size() + 1) * 2));
  PutRaw(L"AsBinary", REG_BINARY, L"0\0", 4);

  EXPECT_EQ(store.Read(app16, section, u"AsNumber"), u"");
  EXPECT_EQ(store.Read(app16, section, u"AsExpandable"), u"");
  EXPECT_EQ(store.Read(app16, section, u"AsBinary"), u"");
}

TEST_F(RegistrySettings, StringWithoutTerminatorReadsEmpty) {
  // The registry quietly adds the NUL when the caller's buffer has one right after
  // the counted bytes; a character there keeps the value unterminated.
  PutText(L"Unterminated", L"0x", 2);
  ASSERT_EQ(StoredBytes(L"Unterminated"), 2u);
  PutText(L"OddLength", L"abc", 5);  // half a character
  PutText(L"Terminated", L"abc", 8);
  EXPECT_EQ(store.Read(app16, section, u"Unterminated"), u"");
  EXPECT_EQ(store.Read(app16, section, u"OddLength"), u"");
  EXPECT_EQ(store.Read(app16, section, u"Terminated"), u"abc");
}

TEST_F(RegistrySettings, TextEndsAtTheFirstNul) {
  const std::wstring twoParts(L"C:\\a.ico\0C:\\b.ico", 17);
  PutText(L"TwoParts", twoParts, (17 + 1) * 2);
  EXPECT_EQ(store.Read(app16, section, u"TwoParts"), u"C:\\a.ico");
}

TEST_F(RegistrySettings, OverlongStringReadsEmpty) {
  const std::size_t fits = kMaxSettingBytes / 2 - 1;  // characters that fit with the NUL
  const std::wstring longest(fits, L'x');
  const std::wstring tooLong(fits + 1, L'x');
  PutText(L"Longest", longest, static_cast<DWORD>((fits + 1) * 2));
  PutText(L"TooLong", tooLong, static_cast<DWORD>((fits + 2) * 2));
  EXPECT_EQ(store.Read(app16, section, u"Longest").size(), fits);
  EXPECT_EQ(store.Read(app16, section, u"TooLong"), u"");
}

// A non-volatile key cannot be made under a volatile one: a refusal that the
// registry gives on Windows and under Wine alike.
TEST_F(RegistrySettings, WriteReportsAKeyThatCannotBeCreated) {
  HKEY key;
  ASSERT_EQ(
      RegCreateKeyExW(HKEY_CURRENT_USER, (L"Software\\" + application + L"\\Volatile").c_str(), 0,
                      nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  RegCloseKey(key);
  const std::u16string underVolatile = app16 + u"\\Volatile";
  EXPECT_FALSE(store.Write(underVolatile, section, u"CapsLockShow", u"1"));
  EXPECT_EQ(store.Read(underVolatile, section, u"CapsLockShow"), u"");
}

TEST_F(RegistrySettings, WriteReportsAnInvalidKeyName) {
  const std::u16string overlongSection(300, u's');  // key names stop at 255 characters
  EXPECT_FALSE(store.Write(app16, overlongSection, u"CapsLockShow", u"1"));
}

TEST_F(RegistrySettings, WriteRefusesAValueTooLongToReadBack) {
  const std::u16string tooLong(kMaxSettingBytes / 2, u'x');
  EXPECT_FALSE(store.Write(app16, section, u"TooLong", tooLong));
  EXPECT_TRUE(store.Write(app16, section, u"Longest", tooLong.substr(1)));
}

}  // namespace
}  // namespace murvane::win32
