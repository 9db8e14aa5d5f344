// Text from a wad or the disk made safe to print on a terminal.
#pragma once

#include <string>
#include <string_view>

namespace quillmoor {

// text with every control character written as \xHH (its number in hexadecimal): the C0
// controls, DEL and the C1 controls U+0080 to U+009F, which terminals may also obey. A byte
// that is no part of valid UTF-8 is written the same way. So a name can't start a line of its
// own or send the terminal an escape sequence.
std::string PrintableText(std::string_view text);

}  // namespace quillmoor
