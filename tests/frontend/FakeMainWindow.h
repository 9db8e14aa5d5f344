// A main window for tests of what the buttons do: fields the test sets, dialogs answered from
// a queue, and every call that shows something or changes the input recorded in order.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "AnswerQueue.h"
#include "frontend/MainWindowActions.h"
#include "settings/SettingsStore.h"

namespace quillmoor::testing {

// A settings store in memory; with refuseWrites on, no value can be stored, as with a
// settings file or key the user may not write.
class MemorySettingsStore final : public SettingsStore {
 public:
  std::map<std::string, std::string> values;
  bool refuseWrites = false;

  void Open() override {}
  std::string Location() const override { return "memory"; }
  std::string Read(const std::string& name, const std::string& defaultValue) override {
    const auto found = values.find(name);
    return found == values.end() ? defaultValue : found->second;
  }
  void Write(const std::string& name, const std::string& value) override {
    if (refuseWrites) throw std::runtime_error("Quillmoor cannot save its settings to memory");
    values[name] = value;
  }
};

class FakeMainWindow final : public MainWindowActions {
 public:
  FakeMainWindow(SettingsStore& store, ProgramState& state, InstallationRecordReader readRecord,
                 Clock& clock, FileSystem& fileSystem)
      : MainWindowActions(store, state, std::move(readRecord), clock, fileSystem) {}

  std::string sourceText;
  std::string wadText;
  std::string sourceDialogFolder;
  std::string wadDialogFolder;
  // The answers of the save dialog, in turn: a file name confirms, nothing cancels.
  std::deque<std::optional<std::string>> saveAnswers;
  // What the window was asked to show, in order: "message TEXT", "error TEXT",
  // "save NAME", "progress POSITION TEXT", "input on", "input off".
  std::vector<std::string> shown;
  int position = 0;
  // How often the window was refreshed in the middle of a run, and what the user does then.
  int refreshes = 0;
  std::function<void()> duringRefresh;
  std::string barText;
  bool inputEnabled = true;
  bool yesToQuestions = false;

  std::string SourceText() override { return sourceText; }
  std::string WadText() override { return wadText; }
  void ShowMessageBox(const std::string& text) override { shown.push_back("message " + text); }
  void ShowErrorBox(const std::string& text) override { shown.push_back("error " + text); }
  bool Confirm(const std::string& question) override {
    shown.push_back("question " + question);
    return yesToQuestions;
  }
  std::optional<std::string> ShowSaveDialog(const SaveDialogSettings& settings) override {
    shown.push_back("save " + settings.fileName);
    return TakeNextAnswer(saveAnswers, {});
  }
  void SetBar(int newPosition, const std::string& text) override {
    position = std::clamp(newPosition, 0, 100);
    barText = text;
    shown.push_back("progress " + std::to_string(position) + " " + text);
  }
  void SetBarPosition(int newPosition) override { SetBar(newPosition, barText); }
  void RefreshDuringRun() override {
    ++refreshes;
    if (duringRefresh) duringRefresh();
  }
  void RepaintNow() override {}
  std::string DecimalSeparator() override { return "."; }
  void SetInputEnabled(bool enabled) override {
    inputEnabled = enabled;
    shown.push_back(enabled ? "input on" : "input off");
  }
  void RememberFocus() override {}
  void RestoreFocus() override {}
  std::string CurrentFolder() override { return "current"; }
  void SetSourceText(const std::string& text) override { sourceText = text; }
  void SetSourceDialogFolder(const std::string& folder) override { sourceDialogFolder = folder; }
  void SetWadDialogFolder(const std::string& folder) override { wadDialogFolder = folder; }
  void SetWadText(const std::string& text) override { wadText = text; }
};

}  // namespace quillmoor::testing
