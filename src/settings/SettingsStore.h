// The settings store: the registry key "Software\Brenmoth's Quillmoor" of the current user on
// Windows, an INI file in the user's configuration folder elsewhere.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <string>

#include "operations/SettingsValues.h"

namespace quillmoor {

class SettingsStore final : public SettingsValues {
 public:
  // The store of the user running Quillmoor.
  static std::unique_ptr<SettingsStore> ForCurrentUser();
  // A store kept in the INI file iniFile, for tests and other places than the user's own.
  explicit SettingsStore(const QString& iniFile);
  explicit SettingsStore(std::unique_ptr<QSettings> settings);

  // Makes sure the store exists, empty when nothing was stored yet.
  void Open();

  std::string Read(const std::string& name, const std::string& defaultValue) override;
  void Write(const std::string& name, const std::string& value) override;

  // Where the store lives: the INI file's path, or the registry key.
  QString Location() const;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace quillmoor
