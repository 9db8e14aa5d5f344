#include "cli/ListCommand.h"

#include "cli/PrintableText.h"
#include "paths/CodePage.h"
#include "wad/WadDirectory.h"

namespace quillmoor {

void ListWad(const std::string& wadName, std::ostream& out, FileSystem& fileSystem) {
  WadReader wad(wadName, fileSystem);
  for (const WadDirectoryEntry& entry : wad.Entries()) {
    CheckBlockInside(entry, wad.FileLength(), wadName);
  }
  wad.Close();
  for (const WadDirectoryEntry& entry : wad.Entries()) {
    out << entry.Offset << '\t' << entry.Size << '\t'
        << PrintableText(Windows1252ToUtf8(EntryName(entry))) << '\n';
  }
}

}  // namespace quillmoor
