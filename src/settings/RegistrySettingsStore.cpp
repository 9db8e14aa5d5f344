#include "settings/RegistrySettingsStore.h"

#include <optional>
#include <stdexcept>
#include <utility>

#include "settings/RegistryKey.h"

namespace quillmoor {

std::unique_ptr<SettingsStore> SettingsStore::ForCurrentUser() {
  return std::make_unique<RegistrySettingsStore>("Software\\Brenmoth's Quillmoor");
}

RegistrySettingsStore::RegistrySettingsStore(std::string keyPath) : keyPath_(std::move(keyPath)) {}

void RegistrySettingsStore::Open() {
  if (!RegistryKey::OpenForWriting(HKEY_CURRENT_USER, keyPath_)) {
    throw std::runtime_error("Quillmoor cannot create its settings key " + Location());
  }
}

std::string RegistrySettingsStore::Read(const std::string& name, const std::string& defaultValue) {
  const std::optional<RegistryKey> key =
      RegistryKey::OpenForReading(HKEY_CURRENT_USER, keyPath_, 0);
  if (!key) return defaultValue;
  return key->ReadText(name).value_or(defaultValue);
}

void RegistrySettingsStore::Write(const std::string& name, const std::string& value) {
  const std::optional<RegistryKey> key = RegistryKey::OpenForWriting(HKEY_CURRENT_USER, keyPath_);
  if (!key || !key->WriteText(name, value)) {
    throw std::runtime_error("Quillmoor cannot save its settings to " + Location());
  }
}

std::string RegistrySettingsStore::Location() const { return "HKEY_CURRENT_USER\\" + keyPath_; }

}  // namespace quillmoor
