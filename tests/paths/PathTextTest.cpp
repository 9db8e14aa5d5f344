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
    EXPECT_EQ(Crop(c.input), c.cropped) << ::testing::PrintToString(c.input);
}

TEST(PathTextTest, SplitsAtTheLastSeparatorIntoPathAndPatchname) {
  struct Case {
    std::string input;
    char separator;
    std::string path;
    std::string patchname;
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
    const std::string path = Path(c.input, c.separator);
    const std::string patchname = Patchname(c.input, c.separator);
    EXPECT_EQ(path, c.path);
    EXPECT_EQ(patchname, c.patchname);
    EXPECT_EQ(path + patchname, c.input);
  }
}

TEST(PathTextTest, UsesTheNativeSeparatorByDefault) {
  const std::string native = std::string("dir") + kNativeSeparator + "file.ext";
  EXPECT_EQ(Path(native), std::string("dir") + kNativeSeparator);
  EXPECT_EQ(Patchname(native), "file.ext");
}

}  // namespace
}  // namespace quillmoor
