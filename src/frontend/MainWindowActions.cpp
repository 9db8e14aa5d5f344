#include "frontend/MainWindowActions.h"

#include <chrono>
#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "io/IoError.h"
#include "operations/Creation.h"
#include "operations/Extraction.h"
#include "operations/Recovery.h"
#include "operations/TrackNames.h"
#include "operations/Undo.h"
#include "operations/Update.h"
#include "paths/FileExists.h"
#include "paths/FileSystemPath.h"
#include "paths/PathText.h"
#include "settings/GameFolder.h"

namespace quillmoor {

namespace {

// How often a running operation lets the window show its progress and take its events:
// often enough to look continuous; refreshing at each of thousands of steps would cost more
// than the work.
constexpr std::chrono::milliseconds kRefreshInterval(20);

// The host an operation runs with: the window's fields, boxes, dialog and bar, the settings
// store, the clock and the game folder. A refusal empties the bar before its box shows.
class OperationHost final : public Host {
 public:
  OperationHost(MainWindowControls& window, SettingsStore& store, Clock& clock,
                std::function<std::string()> gamePath)
      : window_(window), store_(store), clock_(clock), gamePath_(std::move(gamePath)) {}

  std::string SourceText() override { return window_.SourceText(); }
  std::string WadText() override { return window_.WadText(); }
  void ShowMessage(const std::string& text) override {
    window_.ShowProgress(0, "");
    window_.ShowMessage(text);
  }
  bool Confirm(const std::string& question) override { return window_.AskYesNo(question); }
  SaveDialogAnswer AskSaveFileName(const std::string& fileName,
                                   const std::string& filter) override {
    return window_.AskSaveFileName(fileName, filter);
  }
  void ShowProgress(int position, const std::string& text) override {
    window_.ShowProgress(position, text);
    RefreshUnlessJustDone();
  }
  void ShowProgressPosition(int position) override {
    window_.ShowProgressPosition(position);
    RefreshUnlessJustDone();
  }
  void RepaintNow() override { window_.RepaintNow(); }
  std::string DecimalSeparator() override { return window_.DecimalSeparator(); }
  SettingsValues& Settings() override { return store_; }
  Clock& TimeSource() override { return clock_; }
  std::string GamePath() override { return gamePath_(); }

 private:
  // The window refreshes at the first step of a run and then at most once a refresh interval.
  void RefreshUnlessJustDone() {
    const Clock::TimePoint now = clock_.Now();
    if (lastRefresh_ && now - *lastRefresh_ < kRefreshInterval) return;
    window_.RefreshDuringRun();
    lastRefresh_ = now;
  }

  MainWindowControls& window_;
  SettingsStore& store_;
  Clock& clock_;
  std::function<std::string()> gamePath_;
  std::optional<Clock::TimePoint> lastRefresh_;
};

bool IsFolder(const std::string& name) {
  std::error_code ignored;
  return !name.empty() && std::filesystem::is_directory(PathFromText(name), ignored);
}

// folder without the separator at its end, unless it is a drive's or the file system's root.
std::string WithoutEndSeparator(std::string folder) {
  const std::size_t rootLength = kNativeSeparator == '\\' ? 3 : 1;
  if (folder.size() > rootLength && folder.back() == kNativeSeparator) folder.pop_back();
  return folder;
}

}  // namespace

MainWindowActions::MainWindowActions(MainWindowControls& window, SettingsStore& store,
                                     ProgramState& state, InstallationRecordReader readRecord,
                                     Clock& clock, FileSystem& fileSystem)
    : window_(window),
      store_(store),
      state_(state),
      readRecord_(std::move(readRecord)),
      clock_(clock),
      fileSystem_(fileSystem) {}

void MainWindowActions::FillFieldsAtStartup(const std::string& currentFolder) {
  Guarded([&] {
    RunStartupFill(state_, store_, readRecord_, window_, currentFolder);
    // A change of wads that an earlier run left cut short is finished before anything else.
    bool found = false;
    const std::string gameFolder = FindGameFolder(store_, readRecord_, found);
    std::vector<std::string> places = {window_.WadText()};
    if (!gameFolder.empty()) places.push_back(TrackWadPaths(gameFolder).front());
    if (const std::optional<std::string> refusal = FinishEarlierChanges(fileSystem_, places)) {
      window_.ShowMessage(*refusal);
    }
  });
}

void MainWindowActions::SourceBrowsed() {
  const std::string text = window_.SourceText();
  if (text.starts_with("...")) return;
  if (!FileExists(text)) return;
  window_.SetSourceDialogFolder(FolderPart(text));
}

void MainWindowActions::CreateWad() {
  Run([this](Host& host) {
    CreationOptions options;
    options.keepBackup = KeepsBackups(store_);
    quillmoor::CreateWad(host, state_, fileSystem_, options);
  });
}

void MainWindowActions::ExtractWad() {
  Run([this](Host& host) { quillmoor::ExtractWad(host, fileSystem_); });
}

void MainWindowActions::UpdateWad() {
  Run([this](Host& host) { UpdateWads(host); });
}

void MainWindowActions::UndoLastChange() {
  Run([this](Host& host) { quillmoor::UndoLastChange(host, state_, fileSystem_); });
}

void MainWindowActions::UpdateTrackWads() {
  Run([this](Host& host) {
    state_.TrackMode = true;
    UpdateWads(host);
  });
}

void MainWindowActions::UpdateWads(Host& host) {
  UpdateOptions options;
  options.keepBackup = KeepsBackups(store_);
  RunUpdate(host, state_, fileSystem_, options);
}

void MainWindowActions::UseGameFolder(const std::string& folder, const std::string& currentFolder) {
  if (!HoldsGameProgram(folder)) return;
  Guarded([&] {
    store_.Write(kGamePathSetting, folder);
    RunStartupFill(state_, store_, readRecord_, window_, currentFolder);
  });
}

std::string MainWindowActions::SourceFolderInUse() {
  const std::string source = window_.SourceText();
  if (FileExists(source)) return WithoutEndSeparator(FolderPart(source));
  return IsFolder(source) ? WithoutEndSeparator(source) : "";
}

std::string MainWindowActions::GameFolderInUse() {
  std::string folder;
  Guarded([&] {
    bool found = false;
    folder = FindGameFolder(store_, readRecord_, found);
  });
  return folder;
}

void MainWindowActions::Run(const std::function<void(Host&)>& operation) {
  if (running_) return;
  running_ = true;
  OperationHost host(window_, store_, clock_, [this] {
    return FindGameFolder(store_, readRecord_, state_.GameFolderFound);
  });
  window_.SetInputEnabled(false);
  try {
    operation(host);
  } catch (const std::exception& error) {
    window_.ShowProgress(0, "");
    ShowFailure(error);
  }
  window_.SetInputEnabled(true);
  running_ = false;
}

void MainWindowActions::Guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& error) {
    ShowFailure(error);
  }
}

void MainWindowActions::ShowFailure(const std::exception& error) {
  window_.ShowErrorBox(ErrorBoxText(error.what()));
}

}  // namespace quillmoor
