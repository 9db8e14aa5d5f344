// A folder of its own for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace quillmoor::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // The native path of name below the folder, as UTF-8 text with the platform's separators
  // ('/' in name may stand for either).
  std::string operator/(std::string_view name) const;

  // Writes bytes into the file name below the folder, making the folders above it.
  std::string WriteFile(std::string_view name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

// path with each '/' written as the platform's separator.
std::string WithNativeSeparators(std::string path);

// The whole content of a file (named by a path, or by UTF-8 text), as bytes.
std::string ReadFile(const std::filesystem::path& file);
std::string ReadFile(const std::string& file);

// Every file below folder (a path, or UTF-8 text) with its content, by its path below folder
// written with '/'.
std::map<std::string, std::string> FilesBelow(const std::filesystem::path& folder);
std::map<std::string, std::string> FilesBelow(const std::string& folder);

}  // namespace quillmoor::testing
