// The terminal quillmoor-cli writes its progress line to.
#pragma once

namespace quillmoor {

// Whether stderr is a terminal that can show the progress line, which is redrawn with
// "\r" and the escape sequence that clears to the end of the line. On Windows this also
// makes the console show UTF-8 and take escape sequences.
bool PrepareProgressTerminal();

// Makes standard output pass bytes as they are: entry bytes written there (extract -O) must
// reach a pipe or file unchanged, with no end of line turned into another.
void MakeStandardOutputBinary();

}  // namespace quillmoor
