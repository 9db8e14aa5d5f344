#include "win32/MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "io/WideText.h"
#include "win32/ButtonPictures.h"
#include "win32/FieldContextMenu.h"
#include "win32/MessageLoop.h"
#include "win32/TextProgressBar.h"
#include "win32/WindowText.h"

namespace quillmoor::win32 {

namespace {

// The client area in design pixels; the window's frame makes it 441 x 181 outside. The
// smallest client area still shows the whole progress bar with its text.
constexpr SIZE kClientSize{433, 147};
constexpr SIZE kMinimumClientSize{433, 144};

OpenDialogSettings SourceDialog() {
  OpenDialogSettings settings;
  settings.title = "Select a file";
  settings.filter = "*.*|*.*";
  settings.multiSelect = true;
  return settings;
}

OpenDialogSettings WadDialog() {
  OpenDialogSettings settings;
  settings.title = "Select a wad";
  settings.filter = "*.wad|*.wad";
  settings.defaultExtension = "wad";
  return settings;
}

}  // namespace

MainWindow::MainWindow(Dialogs& dialogs, SettingsStore& store, ProgramState& state,
                       InstallationRecordReader readRecord, Clock& clock, FileSystem& fileSystem,
                       DpiScale scale, HFONT font)
    : DialogWindow(scale, font),
      dialogs_(dialogs),
      actions_(*this, store, state, std::move(readRecord), clock, fileSystem),
      sourceField_(dialogs, SourceDialog(), [this] { actions_.SourceBrowsed(); }),
      wadField_(dialogs, WadDialog(), [] {}) {
  Create(nullptr, "Quillmoor 2.9", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, kClientSize);
  BuildControls();
  CentreOnScreen();
  FillFieldsAtStartup();
}

MainWindow::~MainWindow() {
  for (HICON picture : pictures_) DestroyIcon(picture);
}

void MainWindow::BuildControls() {
  AddLabel("Select file(s) to replace in wad(s)", kSourceLabel, 8, 4, 152);
  AddControl(L"BUTTON", "Select a Folder", WS_TABSTOP | BS_PUSHBUTTON, kSelectFolder,
             {176, 4, 176 + 121, 4 + 15});
  sourceField_.Create(Handle(), kSourceField, kSourceBrowse, {8, 21, 8 + 417, 21 + 20}, scale_,
                      font_);
  sourceField_.SetText(kNoSourceText);
  wadField_.Create(Handle(), kWadField, kWadBrowse, {8, 69, 8 + 417, 69 + 20}, scale_, font_);
  OfferInContextMenu(wadField_.Edit(), {"Undo last change", kUndoLastChange});

  struct OperationButton {
    int id;
    const char* text;
    RECT place;
    ButtonPicture picture;
  };
  const OperationButton buttons[] = {
      {kCreateWad, "Create wad", {8, 96, 8 + 88, 96 + 22}, ButtonPicture::CreateWad},
      {kUpdateWad, "Update wad", {104, 96, 104 + 88, 96 + 22}, ButtonPicture::UpdateWad},
      {kExtractWad, "Extract wad", {200, 96, 200 + 88, 96 + 22}, ButtonPicture::ExtractWad},
      {kUpdateTrackWads,
       "Update track wads",
       {304, 96, 304 + 121, 96 + 22},
       ButtonPicture::UpdateTracks},
  };
  for (std::size_t i = 0; i < std::size(buttons); ++i) {
    HWND button = AddControl(L"BUTTON", buttons[i].text, WS_TABSTOP | BS_PUSHBUTTON, buttons[i].id,
                             buttons[i].place);
    pictures_[i] = CreateButtonPicture(buttons[i].picture, scale_);
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(pictures_[i]));
  }

  AddLabel("Select one of the GP4's wad to patch or the wad to extract", kWadLabel, 8, 52, 277);
  AddControl(L"BUTTON", "Change GP4 Path", WS_TABSTOP | BS_PUSHBUTTON, kChangeGamePath,
             {320, 52, 320 + 105, 52 + 15});
  progressBar_ =
      AddControl(kTextProgressBarClass, "", 0, kProgressBar, {8, 126, 8 + 417, 126 + 16});
  SendMessageW(Handle(), WM_NEXTDLGCTL,
               reinterpret_cast<WPARAM>(GetDlgItem(Handle(), kSelectFolder)), TRUE);
}

void MainWindow::FillFieldsAtStartup() {
  wchar_t folder[MAX_PATH + 1] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  actions_.FillFieldsAtStartup(Utf8FromWide(folder));
}

void MainWindow::SetSecondaryWindows(SecondaryWindow* folderPicker,
                                     SecondaryWindow* gameFolderWindow) {
  folderPicker_ = folderPicker;
  gameFolderWindow_ = gameFolderWindow;
}

void MainWindow::SetSourceFieldText(const std::string& folder) { sourceField_.SetText(folder); }

void MainWindow::UseGameFolder(const std::string& folder) {
  wchar_t current[MAX_PATH + 1] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  actions_.UseGameFolder(folder, Utf8FromWide(current));
}

std::string MainWindow::SourceText() { return sourceField_.Text(); }

std::string MainWindow::WadText() { return wadField_.Text(); }

void MainWindow::ShowMessage(const std::string& text) { dialogs_.Message(Handle(), text); }

bool MainWindow::AskYesNo(const std::string& question) {
  return dialogs_.Question(Handle(), question);
}

void MainWindow::ShowErrorBox(const std::string& text) { dialogs_.Error(Handle(), text); }

SaveDialogAnswer MainWindow::AskSaveFileName(const std::string& fileName,
                                             const std::string& filter) {
  saveDialog_.fileName = fileName;
  saveDialog_.filter = filter;
  const std::optional<std::string> chosen =
      dialogs_.SaveFile(Handle(), saveDialog_.title, saveDialog_.fileName, saveDialog_.filter);
  if (chosen) saveDialog_.fileName = *chosen;
  return {chosen.has_value(), saveDialog_.fileName};
}

void MainWindow::ShowProgress(int position, const std::string& text) {
  ShowProgressPosition(position);
  SetText(progressBar_, text);
}

void MainWindow::ShowProgressPosition(int position) {
  SendMessageW(progressBar_, PBM_SETPOS, static_cast<WPARAM>(std::clamp(position, 0, 100)), 0);
}

void MainWindow::RefreshDuringRun() {
  UpdateWindow(progressBar_);
  HandleWaitingMessages({});
}

void MainWindow::RepaintNow() {
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

std::string MainWindow::DecimalSeparator() {
  wchar_t separator[8] = {};
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
  return Utf8FromWide(separator);
}

void MainWindow::SetInputEnabled(bool enabled) {
  if (!enabled) focusBeforeRun_ = GetFocus();
  for (int id : {kSelectFolder, kSourceField, kSourceBrowse, kChangeGamePath, kWadField, kWadBrowse,
                 kCreateWad, kUpdateWad, kExtractWad, kUpdateTrackWads}) {
    EnableWindow(GetDlgItem(Handle(), id), enabled ? TRUE : FALSE);
  }
  for (SecondaryWindow* window : {folderPicker_, gameFolderWindow_}) {
    if (window != nullptr) EnableWindow(window->Handle(), enabled ? TRUE : FALSE);
  }
  if (enabled && focusBeforeRun_ != nullptr && IsChild(Handle(), focusBeforeRun_)) {
    SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focusBeforeRun_), TRUE);
  }
}

void MainWindow::SetSourceText(const std::string& text) { sourceField_.SetText(text); }

void MainWindow::SetSourceDialogFolder(const std::string& folder) {
  sourceField_.SetInitialFolder(folder);
}

void MainWindow::SetWadDialogFolder(const std::string& folder) {
  wadField_.SetInitialFolder(folder);
}

void MainWindow::SetWadText(const std::string& text) { wadField_.SetText(text); }

bool MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      result = FALSE;
      return true;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) Command(LOWORD(wParam));
      return true;
    case DM_GETDEFID: {
      // No default button: Enter presses the focused button, and does nothing elsewhere.
      const HWND focus = GetFocus();
      const int id = GetDlgCtrlID(focus);
      const bool pushButton =
          IsChild(Handle(), focus) && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) &
                                       (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
      result = pushButton ? MAKELRESULT(id, DC_HASDEFID) : 0;
      return true;
    }
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      const SIZE minimum = OuterSizeFor(kMinimumClientSize);
      limits->ptMinTrackSize = {minimum.cx, minimum.cy};
      return true;
    }
    case WM_CLOSE:
      // Closing ends the program, but never in the middle of an operation.
      if (!actions_.Running()) {
        ShowWindow(Handle(), SW_HIDE);
        PostQuitMessage(0);
      }
      return true;
    default:
      return false;
  }
}

void MainWindow::Command(int id) {
  switch (id) {
    case kSelectFolder:
      if (folderPicker_ != nullptr) folderPicker_->Open();
      break;
    case kChangeGamePath:
      if (gameFolderWindow_ != nullptr) gameFolderWindow_->Open();
      break;
    case kSourceBrowse:
      sourceField_.Browse();
      break;
    case kWadBrowse:
      wadField_.Browse();
      break;
    case kCreateWad:
      actions_.CreateWad();
      break;
    case kUpdateWad:
      actions_.UpdateWad();
      break;
    case kExtractWad:
      actions_.ExtractWad();
      break;
    case kUpdateTrackWads:
      actions_.UpdateTrackWads();
      break;
    case kUndoLastChange:
      actions_.UndoLastChange();
      break;
    default:
      break;
  }
}

}  // namespace quillmoor::win32
