#include "win32/SecondaryWindows.h"

#include <utility>

namespace quillmoor::win32 {

namespace {

// The folder picker's panels, in design pixels: the title above, the margins beside the
// tree, and the panel that holds OK below.
constexpr int kTitleHeight = 20;
constexpr int kMargin = 9;
constexpr int kButtonPanelHeight = 36;
constexpr DesignSize kOkSize{73, 20};
constexpr int kOkTop = 8;
constexpr int kOkRightGap = 11;
// A title's height; its width is its text's.
constexpr int kLabelHeight = 13;

}  // namespace

void FolderWindow::MakeWindow(HWND owner, const std::string& title, DesignSize clientSize) {
  Create(owner, title, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
         WS_EX_TOPMOST, clientSize);
}

void FolderWindow::SetInputEnabled(bool enabled) { EnableWindow(Handle(), enabled ? TRUE : FALSE); }

bool FolderWindow::IsShown() const { return IsWindowVisible(Handle()) != FALSE; }

void FolderWindow::ShowInFront() {
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tree_.Handle()), TRUE);
}

void FolderWindow::Hide() { ShowWindow(Handle(), SW_HIDE); }

bool FolderWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      result = FALSE;
      return true;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) Accept();
      if (LOWORD(wParam) == IDCANCEL) Hide();
      return true;
    case WM_NOTIFY:
      return tree_.Notify(*reinterpret_cast<const NMHDR*>(lParam), result);
    case WM_CLOSE:
      Hide();
      return true;
    default:
      return false;
  }
}

FolderPicker::FolderPicker(HWND owner, FolderAccepted setSource, DpiScale scale, HFONT font)
    : FolderWindow(std::move(setSource), FolderChanges::Followed, scale, font) {
  constexpr DesignSize kClientSize{204, 275};
  MakeWindow(owner, "Select Files...", kClientSize);
  tree_.Create(Handle(), kFolderTree,
               {kMargin, kTitleHeight, kClientSize.width - 2 * kMargin,
                kClientSize.height - kButtonPanelHeight - kTitleHeight},
               scale_, font_);
  AddControl(L"BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK,
             {kClientSize.width - kOkRightGap - kOkSize.width,
              kClientSize.height - kButtonPanelHeight + kOkTop, kOkSize.width, kOkSize.height});
  AddLabel("Please choose a folder", kTitle, {10, 4, 0, kLabelHeight});
  CentreOnScreen();
}

bool FolderPicker::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_SIZE) {
    Arrange();
    return true;
  }
  return FolderWindow::HandleMessage(message, wParam, lParam, result);
}

void FolderPicker::Arrange() {
  RECT client;
  GetClientRect(Handle(), &client);
  const int width = client.right;
  const int height = client.bottom;
  const int margin = scale_(kMargin);
  const int top = scale_(kTitleHeight);
  const int panelTop = height - scale_(kButtonPanelHeight);
  SetWindowPos(tree_.Handle(), nullptr, margin, top, width - 2 * margin, panelTop - top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(GetDlgItem(Handle(), IDOK), nullptr,
               width - scale_(kOkRightGap) - scale_(kOkSize.width), panelTop + scale_(kOkTop), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

GameFolderWindow::GameFolderWindow(HWND owner, FolderAccepted useFolder, DpiScale scale, HFONT font)
    : FolderWindow(std::move(useFolder), FolderChanges::Ignored, scale, font) {
  MakeWindow(owner, "Manual Path Entry", {257, 306});
  tree_.Create(Handle(), kFolderTree, {16, 32, 225, 233}, scale_, font_);
  AddControl(L"BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {168, 272, 73, 25});
  AddLabel("Please Choose your GP4 Folder :", kTitle, {16, 8, 0, kLabelHeight});
  CentreOnScreen();
}

}  // namespace quillmoor::win32
