#include "frontend/MainWindowActions.h"

#include <filesystem>
#include <string_view>
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
// often enough to look continuous.
constexpr std::chrono::milliseconds kRefreshInterval(20);

// The source field's browse takes any text that starts as the placeholder does, "...", for
// the placeholder itself: the user has typed nothing that could name a file.
constexpr std::string_view kPlaceholderStart = std::string_view(kNoSourceText).substr(0, 3);

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

MainWindowActions::MainWindowActions(SettingsStore& store, ProgramState& state,
                                     InstallationRecordReader readRecord, Clock& clock,
                                     FileSystem& fileSystem)
    : store_(store),
      state_(state),
      readRecord_(std::move(readRecord)),
      clock_(clock),
      fileSystem_(fileSystem) {}

void MainWindowActions::FillFieldsAtStartup() {
  Guarded([&] {
    RunStartupFill(state_, store_, readRecord_, *this, CurrentFolder());
    // A change of wads that an earlier run left cut short is finished before anything else.
    bool found = false;
    const std::string gameFolder = FindGameFolder(store_, readRecord_, found);
    std::vector<std::string> places = {WadText()};
    if (!gameFolder.empty()) places.push_back(TrackWadPaths(gameFolder).front());
    if (const std::optional<std::string> refusal = FinishEarlierChanges(fileSystem_, places)) {
      ShowMessage(*refusal);
    }
  });
}

void MainWindowActions::SetSecondaryWindows(FolderWindowActions* folderPicker,
                                            FolderWindowActions* gameFolderWindow) {
  folderPicker_ = folderPicker;
  gameFolderWindow_ = gameFolderWindow;
}

void MainWindowActions::Press(MainWindowControl button) {
  switch (button) {
    case MainWindowControl::SelectFolder:
      OpenFolderPicker();
      break;
    case MainWindowControl::ChangeGamePath:
      OpenGameFolderWindow();
      break;
    case MainWindowControl::CreateWad:
      CreateWad();
      break;
    case MainWindowControl::UpdateWad:
      UpdateWad();
      break;
    case MainWindowControl::ExtractWad:
      ExtractWad();
      break;
    case MainWindowControl::UpdateTrackWads:
      UpdateTrackWads();
      break;
    default:
      break;
  }
}

void MainWindowActions::OpenFolderPicker() {
  if (folderPicker_ != nullptr) folderPicker_->OpenAt(SourceFolderInUse());
}

void MainWindowActions::OpenGameFolderWindow() {
  if (gameFolderWindow_ != nullptr) gameFolderWindow_->OpenAt(GameFolderInUse());
}

void MainWindowActions::SourceBrowsed() {
  const std::string text = SourceText();
  if (text.starts_with(kPlaceholderStart)) return;
  if (!FileExists(text)) return;
  SetSourceDialogFolder(FolderPart(text));
}

void MainWindowActions::CreateWad() {
  Run([this] {
    CreationOptions options;
    options.keepBackup = KeepsBackups(store_);
    quillmoor::CreateWad(*this, state_, fileSystem_, options);
  });
}

void MainWindowActions::ExtractWad() {
  Run([this] { quillmoor::ExtractWad(*this, fileSystem_); });
}

void MainWindowActions::UpdateWad() {
  Run([this] { UpdateWads(); });
}

void MainWindowActions::UndoLastChange() {
  Run([this] { quillmoor::UndoLastChange(*this, state_, fileSystem_); });
}

void MainWindowActions::UpdateTrackWads() {
  Run([this] {
    state_.TrackMode = true;
    UpdateWads();
  });
}

void MainWindowActions::UpdateWads() {
  UpdateOptions options;
  options.keepBackup = KeepsBackups(store_);
  RunUpdate(*this, state_, fileSystem_, options);
}

void MainWindowActions::UseGameFolder(const std::string& folder) {
  if (!HoldsGameProgram(folder)) return;
  Guarded([&] {
    store_.Write(kGamePathSetting, folder);
    RunStartupFill(state_, store_, readRecord_, *this, CurrentFolder());
  });
}

std::string MainWindowActions::SourceFolderInUse() {
  const std::string source = SourceText();
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

void MainWindowActions::ShowMessage(const std::string& text) {
  SetBar(0, "");
  ShowMessageBox(text);
}

SaveDialogAnswer MainWindowActions::AskSaveFileName(const std::string& fileName,
                                                    const std::string& filter) {
  saveDialog_.fileName = fileName;
  saveDialog_.filter = filter;
  const std::optional<std::string> chosen = ShowSaveDialog(saveDialog_);
  if (chosen) saveDialog_.fileName = *chosen;
  return {chosen.has_value(), saveDialog_.fileName};
}

void MainWindowActions::ShowProgress(int position, const std::string& text) {
  SetBar(position, text);
  RefreshUnlessJustDone();
}

void MainWindowActions::ShowProgressPosition(int position) {
  SetBarPosition(position);
  RefreshUnlessJustDone();
}

std::string MainWindowActions::GamePath() {
  return FindGameFolder(store_, readRecord_, state_.GameFolderFound);
}

void MainWindowActions::Run(const std::function<void()>& operation) {
  if (running_) return;
  running_ = true;
  lastRefresh_.reset();
  TakeInput(false);
  try {
    operation();
  } catch (const std::exception& error) {
    SetBar(0, "");
    ShowFailure(error);
  }
  TakeInput(true);
  running_ = false;
}

void MainWindowActions::TakeInput(bool enabled) {
  if (!enabled) RememberFocus();
  SetInputEnabled(enabled);
  for (FolderWindowActions* window : {folderPicker_, gameFolderWindow_}) {
    if (window != nullptr) window->SetInputEnabled(enabled);
  }
  if (enabled) RestoreFocus();
}

void MainWindowActions::Guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& error) {
    ShowFailure(error);
  }
}

void MainWindowActions::ShowFailure(const std::exception& error) {
  ShowErrorBox(ErrorBoxText(error.what()));
}

// The window refreshes at the first step of a run and then at most once a refresh interval.
void MainWindowActions::RefreshUnlessJustDone() {
  const Clock::TimePoint now = clock_.Now();
  if (lastRefresh_ && now - *lastRefresh_ < kRefreshInterval) return;
  RefreshDuringRun();
  lastRefresh_ = now;
}

}  // namespace quillmoor
