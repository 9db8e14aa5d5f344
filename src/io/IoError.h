// Input/output failures, their kinds and the texts the user is shown for them.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace quillmoor {

enum class IoFailure {
  FileNotFound,
  InvalidName,
  TooManyOpenFiles,
  AccessDenied,
  ReadBeyondEnd,
  DiskFull,
  Other,
};

// The text of a failure, as the game's players have always seen it.
std::string IoFailureText(IoFailure kind, int errorNumber);

// The text as an error box shows it: a full stop is added when the last character comes
// after the full stop in character order, as a letter or a digit does.
std::string ErrorBoxText(std::string_view text);

// A failed open, read, write, size query, flush or close. Carries the kind, the platform's
// error number (0 when the platform reported none, as for a short read) and the file.
class IoError : public std::runtime_error {
 public:
  IoError(IoFailure kind, int errorNumber, std::string fileName);

  IoFailure Kind() const { return kind_; }
  int ErrorNumber() const { return errorNumber_; }
  const std::string& FileName() const { return fileName_; }

 private:
  IoFailure kind_;
  int errorNumber_;
  std::string fileName_;
};

}  // namespace quillmoor
