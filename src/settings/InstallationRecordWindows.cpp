#include "settings/InstallationRecord.h"
#include "settings/RegistryKey.h"

namespace quillmoor {
namespace {

// The key the game's installer writes below HKEY_LOCAL_MACHINE. The game is a 32-bit program,
// so on 64-bit Windows its key is found through the 32-bit view (below WOW6432Node).
std::optional<std::string> ReadRegistryRecord() {
  const std::optional<RegistryKey> installDir = RegistryKey::OpenForReading(
      HKEY_LOCAL_MACHINE, "Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir", KEY_WOW64_32KEY);
  if (!installDir) return std::nullopt;
  return installDir->ReadText("Directory").value_or("");
}

}  // namespace

InstallationRecordReader PlatformInstallationRecord() { return ReadRegistryRecord; }

}  // namespace quillmoor
