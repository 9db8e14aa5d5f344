#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ScopedEnvironmentVariable.h"
#include "TempDir.h"
#include "operations/SettingsValues.h"
#include "settings/InstallationRecord.h"

namespace quillmoor {
namespace {

namespace fs = std::filesystem;
using testing::ScopedEnvironmentVariable;
using testing::TempDir;

constexpr const char* kHeader = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
constexpr const char* kInstallDir =
    R"([Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir] 1700000000)"
    "\n#time=1d9a0b1c2d3e4f5\n";
constexpr const char* kWowInstallDir =
    R"([Software\\Wow6432Node\\Infogrames\\Grand Prix 4\\1.00\\Install Dir] 1700000000)"
    "\n";

// text as Wine writes a text value that lacks its closing NUL, or that it keeps in hex for
// another reason: type(n) and the UTF-16LE bytes in hex, breaking the line with a backslash
// after every bytesPerLine bytes.
std::string HexValue(int type, const std::u16string& text, std::size_t bytesPerLine = 24) {
  std::string value = "hex(" + std::to_string(type) + "):";
  std::size_t bytes = 0;
  auto addByte = [&](unsigned byte) {
    if (bytes > 0) value += bytes % bytesPerLine == 0 ? ",\\\n  " : ",";
    static constexpr char kDigits[] = "0123456789abcdef";
    value += {kDigits[byte >> 4], kDigits[byte & 15]};
    ++bytes;
  };
  for (const char16_t unit : text) {
    addByte(unit & 0xFF);
    addByte(unit >> 8);
  }
  return value;
}

// A Wine prefix in a temporary folder: drive C: links to its drive_c folder.
class WineRecordTest : public ::testing::Test {
 protected:
  WineRecordTest() {
    fs::create_directories(prefix_ / "drive_c");
    fs::create_directories(prefix_ / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix_ / "dosdevices" / "c:");
  }

  void WriteSystemReg(const std::string& keys) const {
    dir_.WriteFile("prefix/system.reg", kHeader + keys);
  }
  // The native path of below, a path in drive C: written with '/'.
  std::string OnDriveC(const std::string& below) const {
    const fs::path drive = fs::canonical(prefix_ / "drive_c");
    return below.empty() ? drive.string() : (drive / below).string();
  }

  TempDir dir_;
  const fs::path prefix_ = dir_.path() / "prefix";
};

TEST_F(WineRecordTest, MapsTheRecordedFolderThroughTheDriveLink) {
  struct Case {
    const char* what;
    std::string keys;
    std::string below;  // the expected folder below drive_c
  };
  const std::vector<Case> cases = {
      {"the game's key",
       std::string(kInstallDir) + R"("Directory"="C:\\Program Files\\Infogrames\\Grand Prix 4")"
                                  "\n\"Other\"=dword:00000001\n@=\"default value\"\n",
       "Program Files/Infogrames/Grand Prix 4"},
      {"the key of 32-bit programs in a 64-bit prefix",
       std::string(kWowInstallDir) + R"("Directory"="C:\\GP4")"
                                     "\n",
       "GP4"},
      {"the game's key comes first wherever it stands",
       std::string(kWowInstallDir) + "\"Directory\"=dword:00000001\n" + kInstallDir +
           R"("Directory"="C:\\GP4")"
           "\n",
       "GP4"},
      {"an expandable string, not expanded",
       std::string(kInstallDir) + R"("Directory"=str(2):"C:\\%GAMES%\\GP4")"
                                  "\n",
       "%GAMES%/GP4"},
      {"escapes",
       std::string(kInstallDir) +
           R"("Directory"="C:\\Caf\xe9 \"GP\x34\"\\\x00e9de \101\1010\\\xd83c\xdfc1\t")"
           "\n",
       "Café \"GP4\"/éde AA0/\U0001F3C1\t"},
      {"key path and value name in any case",
       R"([software\\INFOGRAMES\\grand prix 4\\1.00\\install dir] 1)"
       "\n\"DIRECTORY\"=\"c:\\\\GP4\"\n",
       "GP4"},
      {"empty parts and forward slashes",
       std::string(kInstallDir) + R"("Directory"="C:/Games\\\\GP4/\\")"
                                  "\n",
       "Games/GP4"},
      {"the drive itself",
       std::string(kInstallDir) + R"("Directory"="C:\\")"
                                  "\n",
       ""},
      {"a value continued over lines before Directory",
       std::string(kInstallDir) + "\"Blob\"=hex:00,01,02,\\\n  03,04,\\\n  05\n" +
           R"("Directory"="C:\\GP4")"
           "\n",
       "GP4"},
      {"the value of the key itself, not of a key below it",
       std::string(kInstallDir) +
           R"("Directory"="C:\\GP4")"
           "\n" +
           R"([Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir\\Patch] 1)"
           "\n"
           R"("Directory"="C:\\Patch")"
           "\n",
       "GP4"},
      {"an expandable string kept in hex over several lines, with its closing NUL",
       std::string(kInstallDir) + "\"Directory\"=" +
           HexValue(2, std::u16string(u"C:\\Program Files\\Grand Prix 4") + u'\0') + "\n",
       "Program Files/Grand Prix 4"},
      {"a string kept in hex without its closing NUL, two characters a line",
       std::string(kInstallDir) + "\"Directory\"=" + HexValue(1, u"C:\\Игры\\GP4", 4) + "\n",
       "Игры/GP4"},
      {"hex text ends at its first NUL",
       std::string(kInstallDir) +
           "\"Directory\"=" + HexValue(2, std::u16string(u"C:\\GP4\0C:\\Other\0", 16)) + "\n",
       "GP4"},
      {"the key of 32-bit programs when the game's key lacks Directory",
       std::string(kInstallDir) + "\"Other\"=\"C:\\\\Other\"\n" + kWowInstallDir +
           R"("Directory"="C:\\GP4")"
           "\n",
       "GP4"},
      {"CRLF line ends",
       "[Software\\\\Infogrames\\\\Grand Prix 4\\\\1.00\\\\Install Dir] 1\r\n"
       "\"Directory\"=\"C:\\\\GP4\"\r\n",
       "GP4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteSystemReg(c.keys);
    EXPECT_EQ(ReadWineInstallationRecord(prefix_), OnDriveC(c.below));
  }
}

TEST_F(WineRecordTest, FindsTheRecordedFolderWithoutRegardToCase) {
  fs::create_directories(prefix_ / "drive_c/Games/GP4");
  WriteSystemReg(std::string(kInstallDir) + R"("Directory"="C:\\GAMES\\gp4")"
                                            "\n");
  EXPECT_EQ(ReadWineInstallationRecord(prefix_), OnDriveC("Games/GP4"));
  WriteSystemReg(std::string(kInstallDir) + R"("Directory"="c:\\games\\Missing\\GP4")"
                                            "\n");
  EXPECT_EQ(ReadWineInstallationRecord(prefix_), OnDriveC("Games/Missing/GP4"));
}

TEST_F(WineRecordTest, NoRecordGivesNothingAndNoUsableFolderGivesTheEmptyText) {
  EXPECT_EQ(ReadWineInstallationRecord(dir_.path() / "no prefix"), std::nullopt);
  EXPECT_EQ(ReadWineInstallationRecord(prefix_), std::nullopt);  // no system.reg

  struct Case {
    const char* what;
    std::string keys;
    std::optional<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"no key",
       "[Software\\\\Infogrames\\\\Grand Prix 4\\\\1.00] 1\n\"Directory\"=\"C:\\\\GP4\"\n"
       "[Software\\\\Infogrames\\\\Grand Prix 4\\\\1.00\\\\Install Dir2] 1\n"
       "\"Directory\"=\"C:\\\\GP4\"\n",
       std::nullopt},
      {"a key without Directory",
       std::string(kInstallDir) + "\"Other\"=\"C:\\\\GP4\"\n@=\"C:\\\\GP4\"\n", ""},
      {"an empty Directory", std::string(kInstallDir) + "\"Directory\"=\"\"\n", ""},
      {"a drive without a link",
       std::string(kInstallDir) + R"("Directory"="D:\\GP4")"
                                  "\n",
       ""},
      {"no drive at all",
       std::string(kInstallDir) + R"("Directory"="\\\\server\\games\\GP4")"
                                  "\n",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteSystemReg(c.keys);
    EXPECT_EQ(ReadWineInstallationRecord(prefix_), c.expected);
  }

  fs::create_directory_symlink("../missing", prefix_ / "dosdevices" / "e:");
  WriteSystemReg(std::string(kInstallDir) + R"("Directory"="E:\\GP4")"
                                            "\n");
  EXPECT_EQ(ReadWineInstallationRecord(prefix_), "") << "a broken drive link";
}

TEST_F(WineRecordTest, ADirectoryOfAnotherTypeThanTextIsRefused) {
  const std::vector<std::string> data = {
      "dword:00000001",  "hex:43,00,3a,00",     "hex(7):43,00,3a,00,00,00,00,00",
      "hex(2):43,00,3a", R"(str(7):"C:\\GP4")",
  };
  for (const std::string& value : data) {
    SCOPED_TRACE(value);
    WriteSystemReg(std::string(kInstallDir) + "\"Directory\"=" + value + "\n");
    try {
      ReadWineInstallationRecord(prefix_);
      ADD_FAILURE() << "no SettingsTypeError";
    } catch (const SettingsTypeError& error) {
      EXPECT_STREQ(error.what(), "Type de données incorrect pour 'Directory'");
    }
  }
}

TEST_F(WineRecordTest, ThePlatformRecordReadsThePrefixNamedWhenItIsRead) {
  const InstallationRecordReader readRecord = PlatformInstallationRecord();
  WriteSystemReg(std::string(kInstallDir) + R"("Directory"="C:\\GP4")"
                                            "\n");
  const ScopedEnvironmentVariable home("HOME", QByteArray::fromStdString(dir_.path().string()));
  const ScopedEnvironmentVariable named("WINEPREFIX", QByteArray::fromStdString(prefix_.string()));
  EXPECT_EQ(readRecord(), OnDriveC("GP4"));
}

}  // namespace
}  // namespace quillmoor
