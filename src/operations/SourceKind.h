// How creation and update tell a source file from a source folder: by what is on the disk.
#pragma once

#include <string>
#include <vector>

namespace quillmoor {

enum class SourceKind { File, Folder, Missing };

// An existing folder is a folder and an existing file a file, whatever dots their names hold;
// a text that names neither (a typo, a folder since removed) is missing, and a run refuses it
// rather than taking it for an empty folder.
SourceKind KindOfSource(const std::string& sourceText);

// The first of files that is a pipe, a device or a socket (reading one could wait forever),
// or nothing.
const std::string* FirstSpecialFile(const std::vector<std::string>& files);

}  // namespace quillmoor
