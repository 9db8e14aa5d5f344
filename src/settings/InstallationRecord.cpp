#include "settings/InstallationRecord.h"

#include <QDir>
#include <QString>

namespace quillmoor {

std::filesystem::path DefaultWinePrefix() {
  const QString named = qEnvironmentVariable("WINEPREFIX");
  if (!named.isEmpty()) return named.toStdString();
  return std::filesystem::path(QDir::homePath().toStdString()) / ".wine";
}

}  // namespace quillmoor
