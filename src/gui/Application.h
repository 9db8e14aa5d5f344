// What the window program sets on its application before it makes its windows.
#pragma once

namespace quillmoor {

// The application's name and the windows' font. No display name is set: the window system
// would add it to every window's title, and each window's title is exactly its own.
void SetUpApplication();

}  // namespace quillmoor
