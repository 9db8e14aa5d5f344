#include "io/TemporaryNames.h"

#include <algorithm>
#include <cctype>
#include <random>

namespace quillmoor {

namespace {

constexpr std::string_view kMark = ".quillmoor-";
constexpr std::size_t kRandomLength = 6;

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
}

// The writer's PID of a name ".TARGET.quillmoor-PID-XXXXXX" for some TARGET: the text of the
// PID; nothing when the name is not built that way.
std::optional<std::string_view> WriterPart(std::string_view fileName) {
  const std::size_t mark = fileName.rfind(kMark);
  if (!fileName.starts_with('.') || mark == std::string_view::npos || mark < 2) {
    return std::nullopt;
  }
  const std::string_view rest = fileName.substr(mark + kMark.size());
  const std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos || rest.size() - dash - 1 != kRandomLength) {
    return std::nullopt;
  }
  const std::string_view pid = rest.substr(0, dash);
  if (!AllDigits(pid)) return std::nullopt;
  return pid;
}

}  // namespace

std::string TemporaryNamePrefix(std::string_view targetFileName, long pid) {
  return "." + std::string(targetFileName) + std::string(kMark) + std::to_string(pid) + "-";
}

std::string NewTemporaryFileName(std::string_view targetFileName, long pid) {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string name = TemporaryNamePrefix(targetFileName, pid);
  for (std::size_t i = 0; i < kRandomLength; ++i) name += kLetters[pick(generator)];
  return name;
}

bool IsTemporaryFileName(std::string_view fileName) { return WriterPart(fileName).has_value(); }

std::optional<long> TemporaryFileWriter(std::string_view fileName,
                                        std::string_view targetFileName) {
  const std::optional<std::string_view> pid = WriterPart(fileName);
  const std::string prefix = "." + std::string(targetFileName) + std::string(kMark);
  if (!pid || pid->size() > 18 || !fileName.starts_with(prefix) ||
      fileName.size() != prefix.size() + pid->size() + 1 + kRandomLength) {
    return std::nullopt;
  }
  return std::stol(std::string(*pid));
}

}  // namespace quillmoor
