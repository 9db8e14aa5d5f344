#include "operations/SourceKind.h"

#include <algorithm>

#include "paths/FileExists.h"

namespace quillmoor {

SourceKind KindOfSource(const std::string& sourceText) {
  if (FolderExists(sourceText)) return SourceKind::Folder;
  if (FileExists(sourceText) || IsSpecialFile(sourceText)) return SourceKind::File;
  return SourceKind::Missing;
}

const std::string* FirstSpecialFile(const std::vector<std::string>& files) {
  const auto special = std::find_if(files.begin(), files.end(), IsSpecialFile);
  return special == files.end() ? nullptr : &*special;
}

}  // namespace quillmoor
