#include "operations/StatusText.h"

namespace quillmoor {

namespace {

// Thousandths of a second, rounding half to even.
long long RoundedThousandths(std::chrono::nanoseconds elapsed) {
  constexpr long long kPerThousandth = 1'000'000;
  const long long count = elapsed.count();
  long long thousandths = count / kPerThousandth;
  const long long rest = count % kPerThousandth;
  if (rest * 2 > kPerThousandth || (rest * 2 == kPerThousandth && thousandths % 2 != 0)) {
    ++thousandths;
  }
  return thousandths;
}

}  // namespace

std::string ProgressText(std::string_view phrase, int percent) {
  return std::string(phrase) + std::to_string(percent) + "%";
}

std::string ElapsedSecondsText(std::chrono::nanoseconds elapsed,
                               std::string_view decimalSeparator) {
  const long long thousandths = RoundedThousandths(elapsed);
  std::string text = std::to_string(thousandths / 1000);
  std::string fraction = std::to_string(1000 + thousandths % 1000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text.append(decimalSeparator).append(fraction);
  return text;
}

std::string CompletionText(std::string_view phrase, std::chrono::nanoseconds elapsed,
                           std::string_view decimalSeparator) {
  return std::string(phrase) + ElapsedSecondsText(elapsed, decimalSeparator) + "s";
}

}  // namespace quillmoor
