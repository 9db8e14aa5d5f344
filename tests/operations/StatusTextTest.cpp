#include "operations/StatusText.h"

#include <gtest/gtest.h>

#include "FakeClock.h"

namespace quillmoor {
namespace {

using namespace std::chrono_literals;

TEST(ElapsedSecondsText, RoundsToTheThousandthHalfToEvenInTheShortestForm) {
  struct Case {
    std::chrono::nanoseconds elapsed;
    const char* separator;
    const char* text;
  };
  const Case cases[] = {
      {2500ms, ".", "2.5"},   {47ms, ".", "0.047"},  {0ns, ".", "0"},        {400us, ".", "0"},
      {3s, ".", "3"},         {120s, ".", "120"},    {2500us, ".", "0.002"}, {3500us, ".", "0.004"},
      {2501us, ".", "0.003"}, {999'600us, ".", "1"}, {1010ms, ",", "1,01"},  {2500ms, ",", "2,5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ElapsedSecondsText(c.elapsed, c.separator), c.text) << c.elapsed.count();
  }
}

TEST(CompletionText, CountsTheTimeThatPassedAlsoAcrossMidnight) {
  testing::FakeClock clock;
  const Clock::TimePoint start = clock.Now();  // say 23:59:59
  clock.Advance(2s);
  EXPECT_EQ(CompletionText("Update done in ", clock.Now() - start, "."), "Update done in 2s");
}

}  // namespace
}  // namespace quillmoor
