// A host for running operations in tests: fields the test sets, settings in memory, dialogs
// answered from a queue, and a record of every message and progress step.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AnswerQueue.h"
#include "FakeClock.h"
#include "operations/Host.h"

namespace quillmoor::testing {

class MemorySettings final : public SettingsValues {
 public:
  std::map<std::string, std::string> values;

  std::string Read(const std::string& name, const std::string& defaultValue) override {
    const auto found = values.find(name);
    return found == values.end() ? defaultValue : found->second;
  }
  void Write(const std::string& name, const std::string& value) override { values[name] = value; }

  std::optional<std::string> Stored(const std::string& name) const {
    const auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
};

struct ShownSave {
  std::string fileName;
  std::string filter;
};

struct Progress {
  int position;
  std::string text;
  bool operator==(const Progress&) const = default;
};

class FakeHost final : public Host {
 public:
  std::string sourceText;
  // The sources of an update when the test gives several; empty: sourceText alone.
  std::vector<std::string> sourceTexts;
  std::string wadText;
  std::string gamePath;
  std::string decimalSeparator = ".";
  // The answers of the save dialog, in turn: a file name confirms, nothing cancels.
  std::deque<std::optional<std::string>> saveAnswers;
  std::vector<ShownSave> saveShown;
  std::vector<std::string> messages;
  // The answers to Confirm, in turn: none left is No.
  std::deque<bool> confirmAnswers;
  std::vector<std::string> questions;
  std::vector<Progress> progress;
  MemorySettings settings;
  FakeClock clock;

  std::string SourceText() override { return sourceText; }
  std::vector<std::string> SourceTexts() override {
    return sourceTexts.empty() ? Host::SourceTexts() : sourceTexts;
  }
  std::string WadText() override { return wadText; }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool Confirm(const std::string& question) override {
    questions.push_back(question);
    return TakeNextAnswer(confirmAnswers, false);
  }
  SaveDialogAnswer AskSaveFileName(const std::string& fileName,
                                   const std::string& filter) override {
    saveShown.push_back({fileName, filter});
    const std::optional<std::string> answer = TakeNextAnswer(saveAnswers, {});
    return answer ? SaveDialogAnswer{true, *answer} : SaveDialogAnswer{false, fileName};
  }
  void ShowProgress(int position, const std::string& text) override {
    progress.push_back({position, text});
  }
  void ShowProgressPosition(int position) override {
    progress.push_back({position, progress.empty() ? std::string() : progress.back().text});
  }
  void RepaintNow() override {}
  std::string DecimalSeparator() override { return decimalSeparator; }
  SettingsValues& Settings() override { return settings; }
  Clock& TimeSource() override { return clock; }
  std::string GamePath() override { return gamePath; }

  // The text the progress bar shows last.
  std::string StatusText() const { return progress.empty() ? "" : progress.back().text; }
};

}  // namespace quillmoor::testing
