#include "io/WideText.h"

#include <windows.h>

namespace quillmoor {

std::optional<std::wstring> WideFromUtf8(std::string_view text) {
  if (text.empty()) return std::wstring();
  const int length = static_cast<int>(text.size());
  const int wideLength =
      ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
  if (wideLength == 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(),
                        wideLength);
  return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int utf8Length =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), utf8Length, nullptr, nullptr);
  return utf8;
}

}  // namespace quillmoor
