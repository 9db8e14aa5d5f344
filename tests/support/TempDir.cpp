#include "TempDir.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "paths/FileSystemPath.h"
#include "paths/PathText.h"

namespace quillmoor::testing {

TempDir::TempDir() {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = std::filesystem::temp_directory_path() / ("quillmoor-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("cannot create a folder in " +
                           TextFromPath(std::filesystem::temp_directory_path()));
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::operator/(std::string_view name) const {
  return TextFromPath((path_ / PathFromText(name)).make_preferred());
}

std::string TempDir::WriteFile(std::string_view name, std::string_view bytes) const {
  const std::filesystem::path file = (path_ / PathFromText(name)).make_preferred();
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + TextFromPath(file));
  return TextFromPath(file);
}

std::string WithNativeSeparators(std::string path) {
  std::replace(path.begin(), path.end(), '/', kNativeSeparator);
  return path;
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + TextFromPath(file));
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadFile(const std::string& file) { return ReadFile(PathFromText(file)); }

std::map<std::string, std::string> FilesBelow(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
    if (item.is_regular_file()) {
      const std::u8string name = std::filesystem::relative(item.path(), folder).generic_u8string();
      files[std::string(name.begin(), name.end())] = ReadFile(item.path());
    }
  }
  return files;
}

std::map<std::string, std::string> FilesBelow(const std::string& folder) {
  return FilesBelow(PathFromText(folder));
}

}  // namespace quillmoor::testing
