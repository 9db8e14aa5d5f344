// The terminal quillmoor-cli writes its progress line to.
#pragma once

namespace quillmoor {

// Whether stderr is a terminal that can show the progress line, which is redrawn with
// "\r" and the escape sequence that clears to the end of the line. On Windows this also
// makes the console show UTF-8 and take escape sequences.
bool PrepareProgressTerminal();

}  // namespace quillmoor
