// Dialogs answered by the test: each dialog takes the next answer queued for it and records
// how it was shown. whileSaveDialogShows runs when the save dialog shows, in the middle of the
// operation that asked for it.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "AnswerQueue.h"
#include "win32/Dialogs.h"

namespace quillmoor::win32::testing {

struct ShownSaveDialog {
  std::string title;
  std::string fileName;
  std::string filter;
};

class ScriptedDialogs final : public Dialogs {
 public:
  std::deque<std::vector<std::string>> openAnswers;    // no files: cancelled
  std::deque<std::optional<std::string>> saveAnswers;  // nothing: cancelled
  std::function<void()> whileSaveDialogShows;
  std::vector<OpenDialogSettings> openShown;
  std::vector<ShownSaveDialog> saveShown;
  std::vector<std::string> messages;
  std::vector<std::string> errors;
  std::deque<bool> questionAnswers;  // none left: No
  std::vector<std::string> questions;

  std::vector<std::string> OpenFiles(HWND, const OpenDialogSettings& settings) override {
    openShown.push_back(settings);
    return quillmoor::testing::TakeNextAnswer(openAnswers, {});
  }
  std::optional<std::string> SaveFile(HWND, const std::string& title, const std::string& fileName,
                                      const std::string& filter) override {
    saveShown.push_back({title, fileName, filter});
    if (whileSaveDialogShows) whileSaveDialogShows();
    return quillmoor::testing::TakeNextAnswer(saveAnswers, {});
  }
  void Message(HWND, const std::string& text) override { messages.push_back(text); }
  void Error(HWND, const std::string& text) override { errors.push_back(text); }
  bool Question(HWND, const std::string& text) override {
    questions.push_back(text);
    return quillmoor::testing::TakeNextAnswer(questionAnswers, false);
  }
};

}  // namespace quillmoor::win32::testing
