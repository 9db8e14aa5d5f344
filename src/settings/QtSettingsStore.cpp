#include "settings/QtSettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVariant>
#include <stdexcept>
#include <utility>

namespace quillmoor {

std::unique_ptr<SettingsStore> SettingsStore::ForCurrentUser() {
  auto settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                              "Brenmoth's Quillmoor", "Quillmoor");
  return std::make_unique<QtSettingsStore>(std::move(settings));
}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> settings)
    : settings_(std::move(settings)) {}

// QSettings writes an INI file only once a value is stored, so the first run makes the folder
// and an empty file itself.
void QtSettingsStore::Open() {
  const QFileInfo file(settings_->fileName());
  if (file.exists()) return;
  QFile empty(file.filePath());
  if (!QDir().mkpath(file.path()) || !empty.open(QIODevice::WriteOnly)) {
    throw std::runtime_error("Quillmoor cannot create its settings file " +
                             file.filePath().toStdString());
  }
}

std::string QtSettingsStore::Read(const std::string& name, const std::string& defaultValue) {
  const QString key = QString::fromStdString(name);
  if (!settings_->contains(key)) return defaultValue;
  const QVariant value = settings_->value(key);
  if (value.typeId() != QMetaType::QString) throw SettingsTypeError(name);
  const std::string text = value.toString().toStdString();
  return text.substr(0, text.find('\0'));
}

// A FormatError only says the file held lines QSettings could not parse when it loaded it; it
// stays set and the file is written all the same, so only an AccessError means the value was
// not saved.
void QtSettingsStore::Write(const std::string& name, const std::string& value) {
  settings_->setValue(QString::fromStdString(name), QString::fromStdString(value));
  settings_->sync();
  if (settings_->status() == QSettings::AccessError) {
    throw std::runtime_error("Quillmoor cannot save its settings to " + Location());
  }
}

std::string QtSettingsStore::Location() const { return settings_->fileName().toStdString(); }

}  // namespace quillmoor
