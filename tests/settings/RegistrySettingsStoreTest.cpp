#include "settings/RegistrySettingsStore.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace quillmoor {
namespace {

using namespace std::string_literals;

// A store under a key of its own below HKEY_CURRENT_USER, removed when the test ends: the
// user's own settings are never touched.
class RegistrySettingsStoreTest : public ::testing::Test {
 protected:
  ~RegistrySettingsStoreTest() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, WideKey().c_str()); }

  RegistrySettingsStore Store() const { return RegistrySettingsStore(key_); }

  // Stores bytes under name with the registry type type, as another program might have.
  void StoreRaw(const wchar_t* name, DWORD type, const void* bytes, DWORD size) const {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, WideKey().c_str(), name, type, bytes, size),
              ERROR_SUCCESS);
  }

  std::wstring WideKey() const { return std::wstring(key_.begin(), key_.end()); }

  const std::string key_ = "Software\\Brenmoth's Quillmoor tests\\" +
                           std::to_string(::GetCurrentProcessId()) + "-" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name();
};

TEST_F(RegistrySettingsStoreTest, ReadGivesTheDefaultUntilAValueIsStored) {
  EXPECT_EQ(Store().Read(kFileNameSetting, "C:\\tracks"), "C:\\tracks");
  Store().Open();
  EXPECT_EQ(Store().Read(kFileNameSetting, "C:\\tracks"), "C:\\tracks");
  Store().Write(kWadNameSetting, "f1.wad");
  EXPECT_EQ(Store().Read(kFileNameSetting, ""), "");
  EXPECT_EQ(Store().Read(kWadNameSetting, "other.wad"), "f1.wad");
}

TEST_F(RegistrySettingsStoreTest, TextsComeBackAsTheyWereWrittenUpToAnEmbeddedNul) {
  const std::vector<std::string> texts = {
      "D:\\a, b",
      "",
      "C:\\Jeux\\Grand Prix 4\\cars\\f\xC3\xA9lix \xC3\xBC",
      " padded ",
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    Store().Write(kFileNameSetting, text);
    EXPECT_EQ(Store().Read(kFileNameSetting, "default"), text);
  }
  Store().Write(kWadNameSetting, "f1.wad\0old.wad"s);
  EXPECT_EQ(Store().Read(kWadNameSetting, ""), "f1.wad");
  const wchar_t withNul[] = L"C:\\GP4\0junk";
  StoreRaw(L"GP4Path", REG_SZ, withNul, sizeof withNul);
  EXPECT_EQ(Store().Read(kGamePathSetting, ""), "C:\\GP4");
  // Stored without its closing NUL, as some installers write values.
  StoreRaw(L"GP4Path", REG_SZ, L"C:\\Games", 8 * sizeof(wchar_t));
  EXPECT_EQ(Store().Read(kGamePathSetting, ""), "C:\\Games");
}

TEST_F(RegistrySettingsStoreTest, OnlyTextValuesAreReadAndAnExpandableOneStaysUnexpanded) {
  const wchar_t expandable[] = L"%SystemRoot%\\GP4";
  StoreRaw(L"FileName", REG_EXPAND_SZ, expandable, sizeof expandable);
  EXPECT_EQ(Store().Read(kFileNameSetting, ""), "%SystemRoot%\\GP4");

  const DWORD number = 5;
  const wchar_t list[] = L"C:\\GP4\0D:\\GP4\0";
  const char bytes[] = "C:\\GP4";
  struct Case {
    DWORD type;
    const void* data;
    DWORD size;
  };
  const Case cases[] = {
      {REG_DWORD, &number, sizeof number},
      {REG_MULTI_SZ, list, sizeof list},
      {REG_BINARY, bytes, sizeof bytes},
      {REG_NONE, nullptr, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    StoreRaw(L"WadName", c.type, c.data, c.size);
    try {
      Store().Read(kWadNameSetting, "");
      ADD_FAILURE() << "no SettingsTypeError";
    } catch (const SettingsTypeError& error) {
      EXPECT_STREQ(error.what(), "Type de données incorrect pour 'WadName'");
    }
  }
}

TEST_F(RegistrySettingsStoreTest, TheUsersStoreIsTheKeyOfTheCurrentUser) {
  EXPECT_EQ(SettingsStore::ForCurrentUser()->Location(),
            "HKEY_CURRENT_USER\\Software\\Brenmoth's Quillmoor");
}

}  // namespace
}  // namespace quillmoor
