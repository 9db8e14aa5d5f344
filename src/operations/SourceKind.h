// How creation and update tell a source file from a source folder: by the text alone.
#pragma once

#include <string_view>

namespace quillmoor {

// A source text names a file when its fourth-last or third-last character is a "." (an
// extension of three or two characters); otherwise it names a folder. A text too short for
// the position is tested at its first character; the empty text names a folder.
bool NamesASourceFile(std::string_view sourceText);

}  // namespace quillmoor
