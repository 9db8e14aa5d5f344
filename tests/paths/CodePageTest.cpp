#include "paths/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmoor {
namespace {

using namespace std::string_literals;

TEST(CodePageTest, SpellsBytesAsTheirWindows1252Characters) {
  struct Case {
    std::string bytes;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"Monza 1.dat", "Monza 1.dat"},
      {"\x80", "€"},
      {"\x8A\x8C\x8E", "ŠŒŽ"},
      {"\x99", "™"},
      {"\x9A\x9C\x9E\x9F", "šœžŸ"},
      {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},
      {"\xA0", "\u00A0"},
      {"N\xFCrburgring", "Nürburgring"},
      {"\xFF", "ÿ"},
      {"a\0b"s, "a\0b"s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.bytes));
    EXPECT_EQ(Windows1252ToUtf8(c.bytes), c.text);
    EXPECT_EQ(Utf8ToWindows1252(c.text), c.bytes);
  }
}

TEST(CodePageTest, EveryByteSurvivesTheRoundTrip) {
  for (int value = 0; value < 256; ++value) {
    const std::string byte(1, static_cast<char>(value));
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(byte)), byte) << "byte " << value;
  }
}

TEST(CodePageTest, RefusesMalformedTextAndCharactersTheCodePageLacks) {
  const std::vector<std::string> refused = {
      "日本",                  // no Windows-1252 byte
      "\u0080",                // 0x80 is €, so U+0080 has no byte
      "\u2020\u2021\u0100",    // only the last character is missing
      "\xC0\xA9",              // overlong ©
      "\xE0\x80\xAF",          // overlong /
      "\xED\xA0\x80",          // surrogate
      "\xF4\x90\x80\x80",      // beyond U+10FFFF
      "\xC3",                  // truncated
      "ok\xE2\x82",            // truncated at the end
      "\xA9",                  // continuation byte alone
      "\xC3(",                 // continuation byte missing
      "\xF8\x88\x80\x80\x80",  // five-byte form
  };
  for (const std::string& text : refused) {
    EXPECT_EQ(Utf8ToWindows1252(text), std::nullopt) << ::testing::PrintToString(text);
  }
}

TEST(CodePageTest, LowerCasesWithTheCodePagesOwnLetters) {
  struct Case {
    std::string bytes;
    std::string lowered;
  };
  const std::vector<Case> cases = {
      {"ABCXYZ", "abcxyz"},
      {"\xC0\xC9\xD6\xD8\xDE", "\xE0\xE9\xF6\xF8\xFE"},  // ÀÉÖØÞ
      {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"},          // ŠŒŽŸ
      {"\xD7\xDF", "\xD7\xDF"},                          // × and ß have no pair
      {"\xE0\xFF\x9A", "\xE0\xFF\x9A"},                  // already lower case
      {"@[`{09\\_.", "@[`{09\\_."},                      // neighbours of the letters
      {"\xBF\x8B\x9B\x80", "\xBF\x8B\x9B\x80"},          // ¿‹›€
      {"CARS\\Ferrari\xC9.TEX", "cars\\ferrari\xE9.tex"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LowerCase1252(c.bytes), c.lowered) << ::testing::PrintToString(c.bytes);
  }
}

}  // namespace
}  // namespace quillmoor
