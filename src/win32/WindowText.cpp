#include "win32/WindowText.h"

#include "io/WideText.h"

namespace quillmoor::win32 {

std::wstring Wide(std::string_view text) { return WideFromUtf8(text).value_or(std::wstring()); }

std::string TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

void SetText(HWND window, std::string_view text) { SetWindowTextW(window, Wide(text).c_str()); }

}  // namespace quillmoor::win32
