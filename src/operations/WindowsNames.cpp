#include "operations/WindowsNames.h"

#include <algorithm>
#include <array>

#include "paths/CodePage.h"

namespace quillmoor {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsForbiddenCharacter(char c) {
  constexpr std::string_view kForbidden = "<>:\"|?*";
  return static_cast<unsigned char>(c) < 0x20 || kForbidden.find(c) != std::string_view::npos;
}

// A device digit: 1 to 9, or the code page's superscript one, two and three.
bool IsDeviceDigit(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= '1' && byte <= '9') || byte == 0xB9 || byte == 0xB2 || byte == 0xB3;
}

bool IsDeviceName(std::string_view part) {
  const std::string base = LowerCase1252(part.substr(0, part.find('.')));
  constexpr std::array<std::string_view, 4> kDevices = {"con", "prn", "aux", "nul"};
  if (std::ranges::find(kDevices, base) != kDevices.end()) return true;
  return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) &&
         IsDeviceDigit(base[3]);
}

bool WindowsCanHoldPart(std::string_view part) {
  if (part.empty() || part.back() == '.' || part.back() == ' ') return false;
  return std::ranges::none_of(part, IsForbiddenCharacter) && !IsDeviceName(part);
}

}  // namespace

bool WindowsCanHoldName(std::string_view entryName) {
  std::size_t start = 0;
  while (true) {
    const auto end = std::find_if(entryName.begin() + static_cast<std::ptrdiff_t>(start),
                                  entryName.end(), IsSeparator);
    const auto stop = static_cast<std::size_t>(end - entryName.begin());
    if (!WindowsCanHoldPart(entryName.substr(start, stop - start))) return false;
    if (end == entryName.end()) return true;
    start = stop + 1;
  }
}

}  // namespace quillmoor
