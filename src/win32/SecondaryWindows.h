// The folder picker and the game-folder window as native Win32 windows: shown without
// blocking and above other windows; closing one only hides it, so it shows its last
// selection when it opens again.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "frontend/FolderWindowActions.h"
#include "win32/DialogWindow.h"
#include "win32/FolderTree.h"

namespace quillmoor::win32 {

// The control ids of both windows, for GetDlgItem.
enum SecondaryWindowControl : int {
  kFolderTree = 200,
  kTitle,
};

class FolderWindow : public DialogWindow, public FolderWindowActions {
 public:
  FolderTree& Tree() { return tree_; }
  void SetInputEnabled(bool enabled) override;

 protected:
  FolderWindow(FolderAccepted accepted, FolderChanges changes, DpiScale scale, HFONT font)
      : DialogWindow(scale, font), FolderWindowActions(std::move(accepted)), tree_(changes) {}
  // Makes the window with its client size; the window then adds its controls.
  void MakeWindow(HWND owner, const std::string& title, DesignSize clientSize);

  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  FolderTree tree_;

 private:
  bool IsShown() const override;
  void SelectFolder(const std::string& folder) override { tree_.SelectFolder(folder); }
  std::string SelectedFolder() const override { return tree_.SelectedFolder(); }
  void ShowInFront() override;
  void Hide() override;
};

// "Select Files...": a folder chosen here becomes the source of a creation or an update. The
// tree fills the window between margins, so it grows and shrinks with the window; OK keeps to
// the bottom right corner.
class FolderPicker final : public FolderWindow {
 public:
  FolderPicker(HWND owner, FolderAccepted setSource, DpiScale scale, HFONT font);

 private:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void Arrange();
};

// "Manual Path Entry": the user points at the game's folder by hand. Its controls keep their
// places whatever the window's size.
class GameFolderWindow final : public FolderWindow {
 public:
  GameFolderWindow(HWND owner, FolderAccepted useFolder, DpiScale scale, HFONT font);
};

}  // namespace quillmoor::win32
