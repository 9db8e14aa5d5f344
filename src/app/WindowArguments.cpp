#include "app/WindowArguments.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

#include "operations/Version.h"

namespace quillmoor {

namespace {

constexpr const char* kUsage =
    "Usage: quillmoor [FILE.wad]\n"
    "\n"
    "Opens Quillmoor's window, where you look into, unpack, pack and update the .wad\n"
    "archives of Grand Prix 4. FILE.wad, when given, is put into the wad field.\n"
    "\n"
    "Options:\n"
    "  --help                print this text\n"
    "  --version             print the program's name and version\n";

bool NamesAWad(const std::string& arg) {
  constexpr std::string_view kExtension = ".wad";
  return arg.size() > kExtension.size() &&
         std::ranges::equal(
             std::string_view(arg).substr(arg.size() - kExtension.size()), kExtension,
             [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

}  // namespace

std::optional<std::string> InformationAsked(std::span<const std::string> args) {
  if (std::ranges::find(args, "--help") != args.end()) return kUsage;
  if (std::ranges::find(args, "--version") != args.end()) return std::string(kProgramTitle) + "\n";
  return std::nullopt;
}

std::optional<std::string> WadToOpen(std::span<const std::string> args,
                                     const std::string& currentFolder, std::ostream& err) {
  std::optional<std::string> wad;
  for (const std::string& arg : args) {
    if (!NamesAWad(arg)) {
      err << "quillmoor: '" << arg << "' is not a .wad file; ignored\n";
    } else if (wad) {
      err << "quillmoor: one wad opens at a time; '" << arg << "' ignored\n";
    } else {
      wad = (std::filesystem::path(currentFolder) / arg).string();
    }
  }
  return wad;
}

}  // namespace quillmoor
