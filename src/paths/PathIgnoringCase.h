// Finding a file as Windows does, without regard to the case of its name, on file systems
// where case counts.
#pragma once

#include <string>

namespace quillmoor {

// path itself when something exists there; else the path of the entry of the same folder whose
// name equals path's file name without regard to case (both lower-cased with the game's code
// page's rules; the first such name in byte order when there are several); else path itself.
// Only the last part of path is looked up.
std::string PathIgnoringCase(const std::string& path);

}  // namespace quillmoor
