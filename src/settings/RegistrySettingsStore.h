// The settings store kept in the registry of the current user: the store on Windows.
#pragma once

#include <string>

#include "settings/SettingsStore.h"

namespace quillmoor {

class RegistrySettingsStore final : public SettingsStore {
 public:
  // A store kept under the key keyPath of HKEY_CURRENT_USER.
  explicit RegistrySettingsStore(std::string keyPath);

  void Open() override;
  std::string Read(const std::string& name, const std::string& defaultValue) override;
  void Write(const std::string& name, const std::string& value) override;
  std::string Location() const override;

 private:
  std::string keyPath_;
};

}  // namespace quillmoor
