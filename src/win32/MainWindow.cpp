#include "win32/MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "io/WideText.h"
#include "operations/Version.h"
#include "win32/ButtonPictures.h"
#include "win32/FieldContextMenu.h"
#include "win32/MessageLoop.h"
#include "win32/TextProgressBar.h"
#include "win32/WindowText.h"

namespace quillmoor::win32 {

MainWindow::MainWindow(Dialogs& dialogs, SettingsStore& store, ProgramState& state,
                       InstallationRecordReader readRecord, Clock& clock, FileSystem& fileSystem,
                       DpiScale scale, HFONT font)
    : DialogWindow(scale, font),
      MainWindowActions(store, state, std::move(readRecord), clock, fileSystem),
      dialogs_(dialogs),
      sourceField_(dialogs, FieldDialog(MainWindowControl::SourceField),
                   [this] { SourceBrowsed(); }),
      wadField_(dialogs, FieldDialog(MainWindowControl::WadField), [] {}) {
  Create(nullptr, kProgramTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, kMainWindowClientSize);
  // Made in the keyboard order, which the dialog manager takes from the order of making.
  for (const ControlDescription& description : MainWindowControlsInTabOrder()) {
    MakeControl(description);
  }
  SendMessageW(Handle(), WM_NEXTDLGCTL,
               reinterpret_cast<WPARAM>(GetDlgItem(Handle(), kSelectFolder)), TRUE);
  CentreOnScreen();
  FillFieldsAtStartup();
}

MainWindow::~MainWindow() {
  for (HICON picture : pictures_) DestroyIcon(picture);
}

void MainWindow::MakeControl(const ControlDescription& description) {
  const int id = ControlIdOf(description.control);
  switch (description.kind) {
    case ControlKind::Label:
      AddLabel(description.text, id, description.place);
      break;
    case ControlKind::SmallButton:
    case ControlKind::OperationButton:
      AddButton(description);
      break;
    case ControlKind::FileNameField: {
      const bool source = description.control == MainWindowControl::SourceField;
      FileNameField& field = source ? sourceField_ : wadField_;
      field.Create(Handle(), id, source ? kSourceBrowse : kWadBrowse, description.place, scale_,
                   font_);
      field.SetText(description.text);
      if (!source) OfferInContextMenu(field.Edit(), {"Undo last change", kUndoLastChange});
      break;
    }
    case ControlKind::ProgressBar:
      progressBar_ = AddControl(kTextProgressBarClass, "", 0, id, description.place);
      break;
  }
}

void MainWindow::AddButton(const ControlDescription& description) {
  HWND button = AddControl(L"BUTTON", description.text, WS_TABSTOP | BS_PUSHBUTTON,
                           ControlIdOf(description.control), description.place);
  if (description.picture == ButtonPicture::None) return;
  pictures_.push_back(CreateButtonPicture(description.picture, scale_));
  SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(pictures_.back()));
}

void MainWindow::SetSourceFieldText(const std::string& folder) { sourceField_.SetText(folder); }

std::string MainWindow::SourceText() { return sourceField_.Text(); }

std::string MainWindow::WadText() { return wadField_.Text(); }

bool MainWindow::Confirm(const std::string& question) {
  return dialogs_.Question(Handle(), question);
}

void MainWindow::ShowMessageBox(const std::string& text) { dialogs_.Message(Handle(), text); }

void MainWindow::ShowErrorBox(const std::string& text) { dialogs_.Error(Handle(), text); }

std::optional<std::string> MainWindow::ShowSaveDialog(const SaveDialogSettings& settings) {
  return dialogs_.SaveFile(Handle(), settings.title, settings.fileName, settings.filter);
}

void MainWindow::SetBar(int position, const std::string& text) {
  SetBarPosition(position);
  SetText(progressBar_, text);
}

void MainWindow::SetBarPosition(int position) {
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
  for (const ControlDescription& description : MainWindowLayout()) {
    if (!TakesInput(description.kind)) continue;
    EnableWindow(GetDlgItem(Handle(), ControlIdOf(description.control)), enabled ? TRUE : FALSE);
  }
  for (int browse : {kSourceBrowse, kWadBrowse}) {
    EnableWindow(GetDlgItem(Handle(), browse), enabled ? TRUE : FALSE);
  }
}

void MainWindow::RememberFocus() { focusBeforeRun_ = GetFocus(); }

void MainWindow::RestoreFocus() {
  if (focusBeforeRun_ != nullptr && IsChild(Handle(), focusBeforeRun_)) {
    SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focusBeforeRun_), TRUE);
  }
}

std::string MainWindow::CurrentFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  return Utf8FromWide(folder);
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
      const SIZE minimum = OuterSizeFor(kMainWindowMinimumClientSize);
      limits->ptMinTrackSize = {minimum.cx, minimum.cy};
      return true;
    }
    case WM_CLOSE:
      // Closing ends the program, but never in the middle of an operation.
      if (!Running()) {
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
    case kSourceBrowse:
      sourceField_.Browse();
      break;
    case kWadBrowse:
      wadField_.Browse();
      break;
    case kUndoLastChange:
      UndoLastChange();
      break;
    default:
      if (id >= kSourceLabel && id <= kProgressBar) {
        Press(static_cast<MainWindowControl>(id - kSourceLabel));
      }
      break;
  }
}

}  // namespace quillmoor::win32
