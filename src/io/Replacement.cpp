#include "io/Replacement.h"

#include "io/IoError.h"
#include "io/Processes.h"
#include "io/TemporaryNames.h"

namespace quillmoor {

FileReplacement::FileReplacement(FileSystem& fileSystem, const std::string& target)
    : fileSystem_(fileSystem), target_(fileSystem.FileNameLeadsTo(target)) {
  const std::string folder = fileSystem_.FolderOf(target_);
  const std::string fileName = target_.substr(folder.size());
  for (int attempt = 0;; ++attempt) {
    temporaryName_ = folder + NewTemporaryFileName(fileName, kNewVersionKind, CurrentProcessId());
    try {
      content_ = fileSystem_.CreateNew(temporaryName_, target_);
      return;
    } catch (const IoError&) {
      // Another file took this random name first, however unlikely: try another.
      if (attempt == 20 || !fileSystem_.Exists(temporaryName_)) throw;
    }
  }
}

FileReplacement::~FileReplacement() {
  if (handedOver_) return;
  content_.reset();
  try {
    fileSystem_.Remove(temporaryName_);
  } catch (const IoError&) {
    // The next run on the folder removes what is left.
  }
}

void FileReplacement::Finish() {
  content_->Flush();
  content_->Close();
}

}  // namespace quillmoor
