#include "paths/EntryNames.h"

#include <algorithm>

#include "paths/CodePage.h"
#include "paths/PathText.h"

namespace quillmoor {

std::string NativePathFromEntryText(std::string_view entryText) {
  std::string path = Windows1252ToUtf8(entryText);
  std::replace(path.begin(), path.end(), kEntrySeparator, kNativeSeparator);
  return path;
}

std::optional<std::string> EntryTextFromNativePath(std::string_view nativePath) {
  std::optional<std::string> entryText = Utf8ToWindows1252(nativePath);
  if (entryText)
    std::replace(entryText->begin(), entryText->end(), kNativeSeparator, kEntrySeparator);
  return entryText;
}

}  // namespace quillmoor
