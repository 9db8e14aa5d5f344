// The text an operation leaves in the progress bar when it has finished.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace quillmoor {

// Elapsed seconds rounded to the nearest thousandth (an exact tie to the even thousandth),
// in the shortest form: no trailing zeros, no separator for a whole number.
std::string ElapsedSecondsText(std::chrono::nanoseconds elapsed, std::string_view decimalSeparator);

// phrase + elapsed seconds + "s", e.g. "Update done in 2.5s".
std::string CompletionText(std::string_view phrase, std::chrono::nanoseconds elapsed,
                           std::string_view decimalSeparator);

}  // namespace quillmoor
