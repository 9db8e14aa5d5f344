#include "operations/SourceKind.h"

#include "paths/FileExists.h"

namespace quillmoor {

SourceKind KindOfSource(const std::string& sourceText) {
  if (FolderExists(sourceText)) return SourceKind::Folder;
  if (FileExists(sourceText)) return SourceKind::File;
  return SourceKind::Missing;
}

}  // namespace quillmoor
