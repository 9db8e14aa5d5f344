// The remembered values, as the operations see them: read with a default, written at once.
#pragma once

#include <stdexcept>
#include <string>

namespace quillmoor {

// The names of the values Quillmoor remembers between runs.
inline constexpr const char* kFileNameSetting = "FileName";        // the last source
inline constexpr const char* kWadNameSetting = "WadName";          // the last wad
inline constexpr const char* kExtractPathSetting = "ExtractPath";  // where extractions go
inline constexpr const char* kGamePathSetting = "GP4Path";         // the game folder chosen
inline constexpr const char* kKeepBackupSetting = "KeepBackup";    // 0: replaced wads keep none

// A value stored with a type other than text; shown like an input/output error.
class SettingsTypeError : public std::runtime_error {
 public:
  explicit SettingsTypeError(const std::string& name)
      : std::runtime_error("Type de données incorrect pour '" + name + "'") {}
};

class SettingsValues {
 public:
  virtual ~SettingsValues() = default;

  // The stored text of name up to its first NUL, or defaultValue when nothing is stored. A
  // value stored with another type than text throws SettingsTypeError.
  virtual std::string Read(const std::string& name, const std::string& defaultValue) = 0;
  // Stores value as the text of name; it has reached the store when this returns.
  virtual void Write(const std::string& name, const std::string& value) = 0;
};

}  // namespace quillmoor
