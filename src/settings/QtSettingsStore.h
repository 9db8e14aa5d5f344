// The settings store kept by QSettings in an INI file: the store on Linux.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <string>

#include "settings/SettingsStore.h"

namespace quillmoor {

class QtSettingsStore final : public SettingsStore {
 public:
  // A store kept in the INI file iniFile, for tests and other places than the user's own.
  explicit QtSettingsStore(const QString& iniFile);
  explicit QtSettingsStore(std::unique_ptr<QSettings> settings);

  void Open() override;
  std::string Read(const std::string& name, const std::string& defaultValue) override;
  void Write(const std::string& name, const std::string& value) override;
  std::string Location() const override;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace quillmoor
