#include "cli/CliHost.h"

#include <utility>

namespace quillmoor {

CliHost::CliHost(std::vector<std::string> sourceTexts, std::string wadText, std::string saveAnswer,
                 std::ostream* progress)
    : sourceTexts_(std::move(sourceTexts)),
      wadText_(std::move(wadText)),
      saveAnswer_(std::move(saveAnswer)),
      progress_(progress) {}

SaveDialogAnswer CliHost::AskSaveFileName(const std::string&, const std::string&) {
  return {true, saveAnswer_};
}

void CliHost::ShowProgress(int, const std::string& text) {
  // Operations report after every file; the terminal only hears of a new text.
  if (text == status_) return;
  status_ = text;
  if (progress_ != nullptr) *progress_ << '\r' << text << "\x1b[K" << std::flush;
}

}  // namespace quillmoor
