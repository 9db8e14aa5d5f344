#include "settings/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "ScopedEnvironmentVariable.h"
#include "TempDir.h"

namespace quillmoor {
namespace {

using namespace std::string_literals;
using testing::ReadFile;
using testing::TempDir;

class SettingsStoreTest : public ::testing::Test {
 protected:
  // A store kept in the file "Quillmoor.ini" of the test's folder.
  QtSettingsStore StoreInFile() const { return QtSettingsStore(QString::fromStdString(ini_)); }
  // Writes an INI file by hand, as another program or the user might have.
  void WriteIni(const std::string& text) const { dir_.WriteFile("Quillmoor.ini", text); }

  TempDir dir_;
  const std::string ini_ = dir_ / "Quillmoor.ini";
};

TEST_F(SettingsStoreTest, ReadGivesTheDefaultForAValueNeverStored) {
  EXPECT_EQ(StoreInFile().Read(kFileNameSetting, "C:\\tracks"), "C:\\tracks");
  WriteIni("[General]\nWadName=f1.wad\n");
  EXPECT_EQ(StoreInFile().Read(kFileNameSetting, ""), "");
  EXPECT_EQ(StoreInFile().Read(kWadNameSetting, "other.wad"), "f1.wad");
}

TEST_F(SettingsStoreTest, OpenCreatesAnEmptyStoreOnTheFirstRun) {
  const std::string firstRun = dir_ / "config/Brenmoth's Quillmoor/Quillmoor.ini";
  QtSettingsStore store(QString::fromStdString(firstRun));
  store.Open();
  ASSERT_TRUE(std::filesystem::is_regular_file(firstRun));
  EXPECT_EQ(ReadFile(firstRun), "");
  EXPECT_EQ(store.Read(kExtractPathSetting, "none"), "none");
}

TEST_F(SettingsStoreTest, OpenKeepsWhatIsStored) {
  const std::string stored = "[General]\nExtractPath=/home/racer/out\n";
  WriteIni(stored);
  QtSettingsStore store = StoreInFile();
  store.Open();
  EXPECT_EQ(ReadFile(ini_), stored);
  EXPECT_EQ(store.Read(kExtractPathSetting, ""), "/home/racer/out");
}

TEST_F(SettingsStoreTest, AWrittenValueHasReachedTheFileWhenWriteReturns) {
  QtSettingsStore writer = StoreInFile();
  writer.Write(kGamePathSetting, "/games/GP4");
  writer.Write(kGamePathSetting, "/games/Grand Prix 4");
  EXPECT_NE(ReadFile(ini_).find("GP4Path=/games/Grand Prix 4"), std::string::npos);
  EXPECT_EQ(StoreInFile().Read(kGamePathSetting, ""), "/games/Grand Prix 4");
}

TEST_F(SettingsStoreTest, TextsComeBackAsTheyWereWritten) {
  const std::vector<std::string> texts = {
      "D:\\a, b", "a,", "x\"y", "", "é", "C:/GP4\\cars/ferrari\\", "@ByteArray(x)", " padded ",
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    StoreInFile().Write(kFileNameSetting, text);
    EXPECT_EQ(StoreInFile().Read(kFileNameSetting, "default"), text);
  }
}

TEST_F(SettingsStoreTest, ReadStopsAtAnEmbeddedNul) {
  WriteIni("[General]\nFileName=C:\\\\GP4\\0junk\n");
  EXPECT_EQ(StoreInFile().Read(kFileNameSetting, ""), "C:\\GP4");
  StoreInFile().Write(kWadNameSetting, "f1.wad\0old.wad"s);
  EXPECT_EQ(StoreInFile().Read(kWadNameSetting, ""), "f1.wad");
}

// Each of these reaches QSettings as something other than a QString.
TEST_F(SettingsStoreTest, AValueStoredAsAnotherTypeThanTextIsRefused) {
  const std::vector<std::string> values = {
      "a, b",                                  // a string list
      "C:\\\\GP4,",                            // a one-item list
      "@ByteArray(C:\\\\GP4)",                 // bytes
      "@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)",  // an int
      "@Size(1 2)",                            // a size
      "@Invalid()",                            // present, but no value at all
  };
  for (const std::string& value : values) {
    SCOPED_TRACE(value);
    WriteIni("[General]\nFileName=" + value + "\n");
    QtSettingsStore store = StoreInFile();
    try {
      store.Read(kFileNameSetting, "");
      ADD_FAILURE() << "no SettingsTypeError";
    } catch (const SettingsTypeError& error) {
      EXPECT_STREQ(error.what(), "Type de données incorrect pour 'FileName'");
    }
  }
}

TEST_F(SettingsStoreTest, AStoreThatCannotBeWrittenIsReported) {
  dir_.WriteFile("blocked", "a file where a folder should be");
  QtSettingsStore store(QString::fromStdString(dir_ / "blocked/Quillmoor.ini"));
  EXPECT_THROW(store.Open(), std::runtime_error);
  EXPECT_THROW(store.Write(kFileNameSetting, "x"), std::runtime_error);
}

TEST_F(SettingsStoreTest, TheUsersStoreIsAnIniFileInTheConfigurationFolder) {
  const testing::ScopedEnvironmentVariable config("XDG_CONFIG_HOME",
                                                  QByteArray::fromStdString(dir_ / "config"));
  const std::string expected = dir_ / "config/Brenmoth's Quillmoor/Quillmoor.ini";
  const std::unique_ptr<SettingsStore> store = SettingsStore::ForCurrentUser();
  EXPECT_EQ(store->Location(), expected);
  store->Open();
  EXPECT_TRUE(std::filesystem::is_regular_file(expected));
}

}  // namespace
}  // namespace quillmoor
