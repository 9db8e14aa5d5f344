#include "app/WindowArguments.h"

#include <map>

#include <gtest/gtest.h>

#include "app/DisplayCheck.h"

#include <sstream>
#include <vector>

namespace quillmoor {
namespace {

TEST(DisplayCheck, FindsADisplayNamedOrAPlatformChosen) {
  using Environment = std::map<std::string, std::string>;
  struct Case {
    Environment environment;
    std::vector<std::string> args;
    bool named;
  };
  const Case cases[] = {
      {{}, {}, false},
      {{{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, {"x.wad"}, false},
      {{{"DISPLAY", ":0"}}, {}, true},
      {{{"WAYLAND_DISPLAY", "wayland-0"}}, {}, true},
      {{{"QT_QPA_PLATFORM", "offscreen"}}, {}, true},
      {{}, {"-platform", "offscreen"}, true},
  };
  for (const Case& c : cases) {
    const auto environment = [&c](const char* name) {
      const auto found = c.environment.find(name);
      return found == c.environment.end() ? std::string() : found->second;
    };
    EXPECT_EQ(DisplayNamed(c.args, environment), c.named) << c.environment.size();
  }
}

TEST(WindowArguments, HelpAndVersionAreAnsweredBeforeAnyWindow) {
  using Args = std::vector<std::string>;
  EXPECT_EQ(InformationAsked(Args{"--version"}), "Quillmoor 2.9\n");
  EXPECT_TRUE(
      InformationAsked(Args{"x.wad", "--help"})->starts_with("Usage: quillmoor [FILE.wad]"));
  EXPECT_EQ(InformationAsked(Args{}), std::nullopt);
  EXPECT_EQ(InformationAsked(Args{"/games/gp4/--version.wad"}), std::nullopt);
}

TEST(WindowArguments, TheFirstWadIsOpenedAndEveryOtherArgumentIgnoredAloud) {
  struct Case {
    std::vector<std::string> args;
    std::optional<std::string> wad;
    std::string err;
  };
  const Case cases[] = {
      {{}, std::nullopt, ""},
      {{"/games/gp4/cars.wad"}, "/games/gp4/cars.wad", ""},
      {{"Mods/MONACO.WAD"}, "/home/p/Mods/MONACO.WAD", ""},
      {{"notes.txt"}, std::nullopt, "quillmoor: 'notes.txt' is not a .wad file; ignored\n"},
      {{".wad"}, std::nullopt, "quillmoor: '.wad' is not a .wad file; ignored\n"},
      {{"readme.wad.txt", "a.wad", "b.wad"},
       "/home/p/a.wad",
       "quillmoor: 'readme.wad.txt' is not a .wad file; ignored\n"
       "quillmoor: one wad opens at a time; 'b.wad' ignored\n"},
  };
  for (const Case& c : cases) {
    std::ostringstream err;
    EXPECT_EQ(WadToOpen(c.args, "/home/p", err), c.wad) << err.str();
    EXPECT_EQ(err.str(), c.err);
  }
}

}  // namespace
}  // namespace quillmoor
