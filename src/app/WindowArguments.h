// What the window program makes of its command line: quillmoor [FILE.wad], as a file manager
// or the applications menu starts it, and --help and --version, which need no display.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>

namespace quillmoor {

// The text to print instead of opening the window, when args ask for --help or --version.
std::optional<std::string> InformationAsked(std::span<const std::string> args);

// The wad to put into the wad field: the first argument whose name ends in ".wad" (in any
// case), made absolute against currentFolder. Every other argument is ignored, with a line on
// err that says so.
std::optional<std::string> WadToOpen(std::span<const std::string> args,
                                     const std::string& currentFolder, std::ostream& err);

}  // namespace quillmoor
