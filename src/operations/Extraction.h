// "Extract wad": every entry of the wad in the wad field becomes a file below a folder the
// user names in the save dialog.
#pragma once

#include <functional>
#include <string>

#include "io/FileSystem.h"
#include "operations/Host.h"
#include "wad/WadFormat.h"

namespace quillmoor {

struct ExtractionOptions {
  // Which entries become files; every entry when empty. Asked once for each entry, in
  // directory order, before anything is written.
  std::function<bool(const WadDirectoryEntry&)> selects;
  // Told each entry's name (UTF-8) once its file is in place.
  std::function<void(const std::string&)> report;
};

// Runs one extraction through host. Input/output failures end it with an IoError; refusals
// are shown through the host. Only the entries selected are checked and written.
void ExtractWad(Host& host, FileSystem& fileSystem, const ExtractionOptions& options = {});

}  // namespace quillmoor
