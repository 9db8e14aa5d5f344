#include "operations/Recovery.h"

#include <set>

#include "io/Commit.h"
#include "operations/Messages.h"

namespace quillmoor {

std::optional<std::string> FinishEarlierChanges(FileSystem& fileSystem,
                                                const std::vector<std::string>& names) {
  std::set<std::string> folders;
  for (const std::string& name : names) {
    if (name.empty()) continue;
    folders.insert(fileSystem.FolderOf(name));
    folders.insert(fileSystem.FolderOf(fileSystem.FileNameLeadsTo(name)));
  }
  for (const std::string& folder : folders) {
    const std::vector<std::string> unfinished = FinishInterruptedCommits(fileSystem, folder);
    if (!unfinished.empty()) return kUnfinishedChangeMessage + unfinished.front();
  }
  return std::nullopt;
}

}  // namespace quillmoor
