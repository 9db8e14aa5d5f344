// A key of the Windows registry, opened for reading or writing its text values. Names and
// texts are UTF-8 on Quillmoor's side and UTF-16 in the registry.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quillmoor {

class RegistryKey {
 public:
  // The key path below root, opened for reading with the view access (0, or KEY_WOW64_32KEY
  // for the keys of 32-bit programs); nothing when there is no such key.
  static std::optional<RegistryKey> OpenForReading(HKEY root, const std::string& path, REGSAM view);
  // The key path below root, made when missing, opened for reading and writing; nothing when
  // it can be neither opened nor made.
  static std::optional<RegistryKey> OpenForWriting(HKEY root, const std::string& path);

  RegistryKey(RegistryKey&& other) noexcept;
  RegistryKey& operator=(RegistryKey&&) = delete;
  RegistryKey(const RegistryKey&) = delete;
  ~RegistryKey();

  // The text of the value name up to its first NUL; nothing when the key holds no such value.
  // A value of another type than text (REG_SZ or REG_EXPAND_SZ, read unexpanded) throws
  // SettingsTypeError.
  std::optional<std::string> ReadText(const std::string& name) const;
  // Stores text as the REG_SZ value name; gives whether it was stored.
  bool WriteText(const std::string& name, const std::string& text) const;

 private:
  explicit RegistryKey(HKEY key) : key_(key) {}

  HKEY key_;
};

}  // namespace quillmoor
