#include "paths/PathText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmoor {
namespace {

using namespace std::string_literals;

TEST(CropTest, RemovesEveryNulAndKeepsTheRestInOrder) {
  struct Case {
    std::string input;
    std::string cropped;
  };
  const std::vector<Case> cases = {
      {"x\0y\0\0"s, "xy"}, {"\0\0\0"s, ""}, {"", ""}, {"\0a\0b\0c"s, "abc"}, {"no nul", "no nul"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WithoutNul(c.input), c.cropped) << ::testing::PrintToString(c.input);
}

TEST(PathTextTest, SplitsAtTheLastSeparatorIntoFolderPartAndFileNamePart) {
  struct Case {
    std::string input;
    char separator;
    std::string path;
    std::string fileNamePart;
  };
  const std::vector<Case> cases = {
      {"D:\\dir\\file.ext", '\\', "D:\\dir\\", "file.ext"},
      {"D:\\dir\\", '\\', "D:\\dir\\", ""},
      {"D:\\", '\\', "D:\\", ""},
      {"file.ext", '\\', "", "file.ext"},
      {"", '\\', "", ""},
      {"\\", '\\', "\\", ""},
      {"a\\b/c", '\\', "a\\", "b/c"},
      {"a\\b/c", '/', "a\\b/", "c"},
      {"/home/racer/gp4/cars.wad", '/', "/home/racer/gp4/", "cars.wad"},
      {"/", '/', "/", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    const std::string path = FolderPart(c.input, c.separator);
    const std::string fileNamePart = FileNamePart(c.input, c.separator);
    EXPECT_EQ(path, c.path);
    EXPECT_EQ(fileNamePart, c.fileNamePart);
    EXPECT_EQ(path + fileNamePart, c.input);
  }
}

TEST(PathTextTest, UsesTheNativeSeparatorByDefault) {
  const std::string native = std::string("dir") + kNativeSeparator + "file.ext";
  EXPECT_EQ(FolderPart(native), std::string("dir") + kNativeSeparator);
  EXPECT_EQ(FileNamePart(native), "file.ext");
}

}  // namespace
}  // namespace quillmoor
