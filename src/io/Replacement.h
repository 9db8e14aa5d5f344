// A new version of a file, written beside it under a temporary name (io/TemporaryNames.h) until
// a commit (io/Commit.h) puts it in the file's place. Destroyed before it is handed to a commit,
// it removes itself, so a run that fails leaves the file as it was and nothing beside it; a
// run killed meanwhile leaves a temporary file that the next run on the folder removes.
#pragma once

#include <memory>
#include <string>

#include "io/FileSystem.h"

namespace quillmoor {

class FileReplacement {
 public:
  // Starts the new version of target (which need not exist). When target is a symbolic link,
  // the file it leads to is replaced and the link stays. The new file has the permission bits
  // of the file it replaces, and its owner and group where the user may give them.
  FileReplacement(FileSystem& fileSystem, const std::string& target);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  File& Content() { return *content_; }
  // The file the new version replaces, its symbolic links followed.
  const std::string& Target() const { return target_; }
  // Where the new version is until the commit.
  const std::string& TemporaryName() const { return temporaryName_; }

  // Makes the content reach the disk and closes it.
  void Finish();
  // From now on a commit's journal names the temporary file, which this no longer removes.
  void HandOver() { handedOver_ = true; }

 private:
  FileSystem& fileSystem_;
  std::string target_;
  std::string temporaryName_;
  std::unique_ptr<File> content_;
  bool handedOver_ = false;
};

}  // namespace quillmoor
