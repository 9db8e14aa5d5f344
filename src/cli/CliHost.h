// The host of the operations run from the terminal: the fields are the command's arguments,
// the save dialog answers with the folder or wad named on the command line, refusals and the
// final text are kept for the command to print, and no setting is read or written.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "operations/Host.h"

namespace quillmoor {

// Settings that hold nothing and keep nothing: the terminal leaves the window's alone.
class NoSettings final : public SettingsValues {
 public:
  std::string Read(const std::string&, const std::string& defaultValue) override {
    return defaultValue;
  }
  void Write(const std::string&, const std::string&) override {}
};

class CliHost final : public Host {
 public:
  // sourceTexts are the command's sources, in order (none, one for create, one or more for an
  // update). progress, when given, receives each progress text as it comes (a terminal's
  // stderr).
  CliHost(std::vector<std::string> sourceTexts, std::string wadText, std::string saveAnswer,
          std::ostream* progress);

  std::string SourceText() override { return sourceTexts_.empty() ? "" : sourceTexts_.front(); }
  std::vector<std::string> SourceTexts() override { return sourceTexts_; }
  std::string WadText() override { return wadText_; }
  void ShowMessage(const std::string& text) override { refusal_ = text; }
  // The command itself is the user's answer: the terminal asks nothing.
  bool Confirm(const std::string&) override { return true; }
  SaveDialogAnswer AskSaveFileName(const std::string& fileName, const std::string& filter) override;
  void ShowProgress(int position, const std::string& text) override;
  void ShowProgressPosition(int) override {}
  void RepaintNow() override {}
  std::string DecimalSeparator() override { return "."; }
  SettingsValues& Settings() override { return settings_; }
  Clock& TimeSource() override { return clock_; }
  std::string GamePath() override { return gamePath_; }

  void SetGamePath(std::string gamePath) { gamePath_ = std::move(gamePath); }
  // The refusal shown, empty when there was none.
  const std::string& Refusal() const { return refusal_; }
  // The last text of the progress bar: the completion text after a finished run.
  const std::string& StatusText() const { return status_; }

 private:
  std::vector<std::string> sourceTexts_;
  std::string wadText_;
  std::string saveAnswer_;
  std::ostream* progress_;
  std::string gamePath_;
  std::string refusal_;
  std::string status_;
  NoSettings settings_;
  SteadyClock clock_;
};

}  // namespace quillmoor
