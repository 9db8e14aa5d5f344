#include "io/TemporaryNames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <random>

namespace quillmoor {

namespace {

constexpr std::string_view kMark = ".quillmoor-";
constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr std::string_view kNameLockEnd = ".quillmoor-lock";
constexpr std::string_view kJournalStart = "quillmoor-commit-";
constexpr std::string_view kJournalEnd = ".journal";
constexpr std::array<std::string_view, 2> kKinds = {kNewVersionKind, kOldVersionKind};
constexpr std::size_t kRandomLength = 6;

bool AllDigits(std::string_view text) {
  return !text.empty() && text.size() <= 18 && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
}

std::string RandomPart() {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  std::string part;
  for (std::size_t i = 0; i < kRandomLength; ++i) part += kLetters[pick(generator)];
  return part;
}

// The PID of "PID-XXXXXX"; nothing when rest is not built that way.
std::optional<long> PidOf(std::string_view rest) {
  const std::size_t dash = rest.find('-');
  if (dash == std::string_view::npos || rest.size() - dash - 1 != kRandomLength) {
    return std::nullopt;
  }
  const std::string_view pid = rest.substr(0, dash);
  if (!AllDigits(pid)) return std::nullopt;
  return std::stol(std::string(pid));
}

// The writer of "NAME.quillmoor-KIND-PID-XXXXXX.tmp".
std::optional<long> TemporaryWriter(std::string_view fileName) {
  if (!fileName.ends_with(kTemporaryEnd)) return std::nullopt;
  fileName.remove_suffix(kTemporaryEnd.size());
  const std::size_t mark = fileName.rfind(kMark);
  if (mark == std::string_view::npos || mark == 0) return std::nullopt;
  const std::string_view rest = fileName.substr(mark + kMark.size());
  for (std::string_view kind : kKinds) {
    if (rest.starts_with(kind) && rest.substr(kind.size()).starts_with('-')) {
      return PidOf(rest.substr(kind.size() + 1));
    }
  }
  return std::nullopt;
}

// The writer of "quillmoor-commit-PID-XXXXXX.journal".
std::optional<long> JournalWriter(std::string_view fileName) {
  if (!fileName.starts_with(kJournalStart) || !fileName.ends_with(kJournalEnd)) {
    return std::nullopt;
  }
  fileName.remove_prefix(kJournalStart.size());
  fileName.remove_suffix(kJournalEnd.size());
  return PidOf(fileName);
}

}  // namespace

std::string NewTemporaryFileName(std::string_view targetFileName, std::string_view kind, long pid) {
  return std::string(targetFileName) + std::string(kMark) + std::string(kind) + "-" +
         std::to_string(pid) + "-" + RandomPart() + std::string(kTemporaryEnd);
}

std::string NewJournalFileName(long pid) {
  return std::string(kJournalStart) + std::to_string(pid) + "-" + RandomPart() +
         std::string(kJournalEnd);
}

bool IsJournalFileName(std::string_view fileName) { return JournalWriter(fileName).has_value(); }

std::string NameLockFileName(std::string_view targetFileName) {
  return std::string(targetFileName) + std::string(kNameLockEnd);
}

bool IsNameLockFileName(std::string_view fileName) {
  return fileName.size() > kNameLockEnd.size() && fileName.ends_with(kNameLockEnd);
}

bool IsTemporaryFileName(std::string_view fileName) {
  return TemporaryFileWriter(fileName).has_value() || IsNameLockFileName(fileName);
}

std::optional<long> TemporaryFileWriter(std::string_view fileName) {
  if (std::optional<long> writer = JournalWriter(fileName)) return writer;
  return TemporaryWriter(fileName);
}

}  // namespace quillmoor
