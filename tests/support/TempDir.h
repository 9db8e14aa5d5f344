// A folder of its own for one test, removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quillmoor::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // The native path of name below the folder, as a string.
  std::string operator/(std::string_view name) const;

  // Writes bytes into the file name below the folder, making the folders above it.
  std::string WriteFile(std::string_view name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

// The whole content of a file, as bytes.
std::string ReadFile(const std::filesystem::path& file);

// The names of the files and folders right in folder, sorted.
std::vector<std::string> NamesIn(const std::filesystem::path& folder);

// Every file below folder with its content, by its path below folder.
std::map<std::string, std::string> FilesBelow(const std::filesystem::path& folder);

}  // namespace quillmoor::testing
