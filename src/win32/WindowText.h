// Texts of windows and controls: Quillmoor holds UTF-8, the wide Windows API takes UTF-16.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quillmoor::win32 {

// text in UTF-16; text that is not well-formed UTF-8 gives the empty text.
std::wstring Wide(std::string_view text);
// The text a window or control shows, in UTF-8.
std::string TextOf(HWND window);
void SetText(HWND window, std::string_view text);

}  // namespace quillmoor::win32
