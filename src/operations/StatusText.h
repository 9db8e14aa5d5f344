// The texts operations show in the progress bar: while they work, and when they have finished.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace quillmoor {

// A progress text: phrase + percent + "%", e.g. "Extracting files : 50%".
std::string ProgressText(std::string_view phrase, int percent);

// Elapsed seconds rounded to the nearest thousandth (an exact tie to the even thousandth),
// in the shortest form: no trailing zeros, no separator for a whole number.
std::string ElapsedSecondsText(std::chrono::nanoseconds elapsed, std::string_view decimalSeparator);

// phrase + elapsed seconds + "s", e.g. "Update done in 2.5s".
std::string CompletionText(std::string_view phrase, std::chrono::nanoseconds elapsed,
                           std::string_view decimalSeparator);

}  // namespace quillmoor
