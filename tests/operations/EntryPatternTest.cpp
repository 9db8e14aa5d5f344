#include "operations/EntryPattern.h"

#include <gtest/gtest.h>

#include "operations/WindowsNames.h"

namespace quillmoor {
namespace {

TEST(EntryPattern, MatchesNamesAsArchiversDo) {
  struct Case {
    const char* pattern;
    const char* name;  // in the game's code page
    bool matches;
  };
  const Case cases[] = {
      {"cars\\f1.tex", "cars\\f1.tex", true},
      {"CARS/F1.TEX", "cars\\f1.tex", true},  // case and either separator
      {"cars/f1.tex", "cars/f1.tex", true},
      {"cars\\f1.tex", "cars\\f1.texx", false},  // whole name, not a prefix
      {"cars\\f1", "cars\\f1.tex", false},
      {"*.tex", "cars\\sub\\f1.tex", true},  // * runs over separators
      {"cars\\*", "cars\\a\\b.dat", true},
      {"*", "", true},
      {"?", "", false},
      {"f?.tex", "f1.tex", true},
      {"f?.tex", "f12.tex", false},
      {"*a*b*c", "xaxxbxxc", true},
      {"*a*b*c", "xaxxbxxcx", false},
      {"**", "anything", true},
      {"maps", "maps\\spa2001\\a.dat", true},  // a folder takes in what lies below it
      {"maps\\spa*", "maps\\spa2001\\a.dat", true},
      {"map", "maps\\spa2001\\a.dat", false},
      {"F\xC3\x89LIX.tex", "f\xE9lix.tex", true},  // UTF-8 pattern, code page lower-casing
      {"\xE2\x82\xAC.tex", "\x80.tex", true},      // the euro sign is one byte of the page
      {"\xE4\xB8\xAD", "\x3F", false},             // a pattern the code page can't spell
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EntryPattern(c.pattern).Matches(c.name), c.matches)
        << "'" << c.pattern << "' against '" << c.name << "'";
  }
}

TEST(WindowsNames, TellsTheNamesWindowsCantHold) {
  const std::pair<const char*, bool> cases[] = {
      {"cars\\f1.tex", true},
      {"maps\\icon.dat", true},  // a device name only as a part's whole base
      {"maps\\con.dat", false},
      {"a..b", true},
      {"a\\\\b", false},
      {"a\\", false},
      {"a<b", false},
      {"a:b", false},
      {"a\"b", false},
      {"a|b", false},
      {"a?b", false},
      {"a*b", false},
      {"a\x1f"
       "b",
       false},
      {"folder.\\a", false},
      {"a ", false},
      {"CON", false},
      {"maps\\nul.txt", false},
      {"Com1.dat", false},
      {"lpt9", false},
      {"com\xB9", false},  // superscript one
      {"com0", true},
      {"console", true},
  };
  for (const auto& [name, holds] : cases) EXPECT_EQ(WindowsCanHoldName(name), holds) << name;
}

}  // namespace
}  // namespace quillmoor
