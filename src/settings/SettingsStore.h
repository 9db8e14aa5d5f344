// The settings store: the values Quillmoor remembers between runs, kept under the key
// "Software\Brenmoth's Quillmoor" of the current user: in the registry on Windows, in an INI
// file in the user's configuration folder elsewhere.
#pragma once

#include <memory>
#include <string>

#include "operations/SettingsValues.h"

namespace quillmoor {

class SettingsStore : public SettingsValues {
 public:
  // The store of the user running Quillmoor, in this platform's place.
  static std::unique_ptr<SettingsStore> ForCurrentUser();

  // Makes sure the store exists, empty when nothing was stored yet.
  virtual void Open() = 0;
  // Where the store lives: the INI file's path, or the registry key.
  virtual std::string Location() const = 0;
};

}  // namespace quillmoor
