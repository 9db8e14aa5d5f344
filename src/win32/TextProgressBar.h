// The progress bar that shows a text inside itself: a window class of its own. Its text is
// the window text (WM_SETTEXT, WM_GETTEXT); its position, a percentage kept within 0 to 100,
// is set and read with PBM_SETPOS and PBM_GETPOS, as a common progress bar's.
#pragma once

#include <windows.h>

namespace quillmoor::win32 {

// The window class name; registered by RegisterTextProgressBar.
inline constexpr const wchar_t* kTextProgressBarClass = L"QuillmoorTextProgressBar";

// Registers the window class once for the program.
void RegisterTextProgressBar();

}  // namespace quillmoor::win32
