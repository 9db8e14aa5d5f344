#include "settings/WinePrefixes.h"

#include <QDir>
#include <QString>
#include <algorithm>
#include <exception>
#include <system_error>

#include "operations/SettingsValues.h"
#include "settings/GameFolder.h"
#include "settings/InstallationRecord.h"

namespace quillmoor {
namespace {

namespace fs = std::filesystem;

// The folders in folder, by name; none when it doesn't exist or can't be read.
std::vector<fs::path> FoldersIn(const fs::path& folder) {
  std::vector<fs::path> folders;
  std::error_code failed;
  for (fs::directory_iterator entry(folder, failed), end; !failed && entry != end;
       entry.increment(failed)) {
    if (entry->is_directory(failed)) folders.push_back(entry->path());
  }
  std::sort(folders.begin(), folders.end());
  return folders;
}

}  // namespace

std::vector<fs::path> WinePrefixes() {
  const fs::path home = QDir::homePath().toStdString();
  std::vector<fs::path> prefixes;
  const auto add = [&prefixes](const fs::path& prefix) {
    std::error_code failed;
    if (fs::is_directory(prefix, failed) &&
        std::find(prefixes.begin(), prefixes.end(), prefix) == prefixes.end()) {
      prefixes.push_back(prefix);
    }
  };
  const QString named = qEnvironmentVariable("WINEPREFIX");
  if (!named.isEmpty()) add(named.toStdString());
  add(home / ".wine");
  for (const fs::path& launcherFolder :
       {home / "Games", home / ".local/share/bottles/bottles",
        home / ".var/app/com.usebottles.bottles/data/bottles/bottles",
        home / ".PlayOnLinux/wineprefix"}) {
    for (const fs::path& prefix : FoldersIn(launcherFolder)) add(prefix);
  }
  return prefixes;
}

std::optional<std::string> ReadGameRecordOfPrefixes(const std::vector<fs::path>& prefixes) {
  std::optional<std::string> firstRecord;
  std::exception_ptr firstTypeError;
  for (const fs::path& prefix : prefixes) {
    std::optional<std::string> record;
    try {
      record = ReadWineInstallationRecord(prefix);
    } catch (const SettingsTypeError&) {
      if (!firstTypeError) firstTypeError = std::current_exception();
      continue;
    }
    if (record && HoldsGameProgram(*record)) return record;
    if (!firstRecord) firstRecord = std::move(record);
  }
  if (firstTypeError) std::rethrow_exception(firstTypeError);
  return firstRecord;
}

}  // namespace quillmoor
