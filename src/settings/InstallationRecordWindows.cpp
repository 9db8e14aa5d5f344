#include "settings/InstallationRecord.h"

#include <QSettings>
#include <QVariant>

#include "operations/SettingsValues.h"

namespace quillmoor {
namespace {

// The key the game's installer writes below HKEY_LOCAL_MACHINE, read through the 32-bit view.
std::optional<std::string> ReadRegistryRecord() {
  QSettings version(R"(HKEY_LOCAL_MACHINE\Software\Infogrames\Grand Prix 4\1.00)",
                    QSettings::Registry32Format);
  if (!version.childGroups().contains("Install Dir", Qt::CaseInsensitive)) return std::nullopt;
  version.beginGroup("Install Dir");
  if (!version.contains("Directory")) return std::string();
  const QVariant directory = version.value("Directory");
  if (directory.typeId() != QMetaType::QString) throw SettingsTypeError("Directory");
  return directory.toString().toStdString();
}

}  // namespace

InstallationRecordReader PlatformInstallationRecord() { return ReadRegistryRecord; }

}  // namespace quillmoor
