#include "settings/GameFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "TempDir.h"

namespace quillmoor {
namespace {

using testing::TempDir;

class MapSettings final : public SettingsValues {
 public:
  std::string Read(const std::string& name, const std::string& defaultValue) override {
    const auto found = values_.find(name);
    return found == values_.end() ? defaultValue : found->second;
  }
  void Write(const std::string& name, const std::string& value) override { values_[name] = value; }

 private:
  std::map<std::string, std::string> values_;
};

// Folders below a temporary folder: "chosen" and "installed" hold GP4.exe, "lower" holds it
// spelt in another case (as Windows, the game doesn't care), "empty" holds
// nothing, "fake" holds a folder named GP4.exe, and "missing" doesn't exist.
class GameFolderTest : public ::testing::Test {
 protected:
  GameFolderTest() {
    dir_.WriteFile("chosen/GP4.exe", "MZ");
    dir_.WriteFile("installed/GP4.exe", "MZ");
    dir_.WriteFile("lower/gp4.EXE", "MZ");
    dir_.WriteFile("empty/readme.txt", "");
    dir_.WriteFile("fake/GP4.exe/readme.txt", "");
  }

  // The path of name below the folder, or the empty text for the empty name.
  std::string Folder(const std::string& name) const { return name.empty() ? "" : dir_ / name; }

  TempDir dir_;
};

TEST_F(GameFolderTest, TakesTheChosenFolderThenTheRecordedOneWhenItHoldsTheGame) {
  struct Case {
    std::optional<std::string> stored;  // the folder stored as GP4Path, if any
    std::optional<std::string> record;  // the recorded folder, if there is a record
    bool flagBefore;
    std::string expected;  // the folder returned; the empty name for the empty text
    bool flagAfter;
  };
  const std::vector<Case> cases = {
      {"chosen", "installed", false, "chosen", true},
      {"chosen", std::nullopt, false, "chosen", true},
      {"chosen/", "empty", false, "chosen/", true},
      {std::nullopt, "installed", false, "installed", true},
      {"lower", "installed", false, "lower", true},
      {std::nullopt, "lower", false, "lower", true},
      {"empty", "installed", false, "installed", true},
      {"fake", "installed/", false, "installed/", true},
      {"missing", "installed", false, "installed", true},
      {std::nullopt, std::nullopt, true, "", true},
      {std::nullopt, std::nullopt, false, "", false},
      {"empty", std::nullopt, true, "", true},
      {std::nullopt, "empty", true, "", false},
      {std::nullopt, "fake", true, "", false},
      {std::nullopt, "missing", true, "", false},
      {std::nullopt, "", true, "", false},
      {"fake", "fake", false, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("stored " + c.stored.value_or("(none)") + ", record " +
                 c.record.value_or("(none)") + ", flag " + (c.flagBefore ? "on" : "off"));
    MapSettings store;
    if (c.stored) store.Write(kGamePathSetting, Folder(*c.stored));
    const std::optional<std::string> record =
        c.record ? std::optional(Folder(*c.record)) : std::nullopt;
    bool found = c.flagBefore;
    EXPECT_EQ(FindGameFolder(
                  store, [&] { return record; }, found),
              Folder(c.expected));
    EXPECT_EQ(found, c.flagAfter);
  }
}

TEST_F(GameFolderTest, ReadsTheRecordOnlyWhenTheChosenFolderLacksTheGame) {
  const InstallationRecordReader refusedRecord = []() -> std::optional<std::string> {
    throw SettingsTypeError("Directory");
  };
  MapSettings store;
  store.Write(kGamePathSetting, Folder("chosen"));
  bool found = false;
  EXPECT_EQ(FindGameFolder(store, refusedRecord, found), Folder("chosen"));

  store.Write(kGamePathSetting, Folder("empty"));
  EXPECT_THROW(FindGameFolder(store, refusedRecord, found), SettingsTypeError);
}

}  // namespace
}  // namespace quillmoor
