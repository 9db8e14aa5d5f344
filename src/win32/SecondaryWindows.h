// The folder picker and the game-folder window as native Win32 windows: shown without
// blocking and above other windows; closing one only hides it, so it shows its last
// selection when it opens again. Each opens at the folder in use, when there is one.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win32/DialogWindow.h"
#include "win32/FolderTree.h"
#include "win32/MainWindow.h"

namespace quillmoor::win32 {

// The control ids of both windows, for GetDlgItem.
enum SecondaryWindowControl : int {
  kFolderTree = 200,
  kTitle,
};

// What a secondary window asks of the main window: the folder its tree opens at (empty for
// none), and what its OK does with the folder selected (empty when none is).
struct SecondaryWindowWiring {
  std::function<std::string()> folderInUse;
  std::function<void(const std::string&)> accept;
};

class FolderWindow : public DialogWindow, public SecondaryWindow {
 public:
  void Open() override;
  HWND Handle() const override { return DialogWindow::Handle(); }
  FolderTree& Tree() { return tree_; }
  // OK: the window hides and hands on the folder selected.
  void Accept();

 protected:
  FolderWindow(SecondaryWindowWiring wiring, bool watchChanges, DpiScale scale, HFONT font)
      : DialogWindow(scale, font), wiring_(std::move(wiring)), tree_(watchChanges) {}
  // Makes the window with its client size; the window then adds its controls.
  void MakeWindow(HWND owner, const std::string& title, SIZE clientSize);

  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  SecondaryWindowWiring wiring_;
  FolderTree tree_;
};

// "Select Files...": a folder chosen here becomes the source of a creation or an update. The
// tree fills the window between margins, so it grows and shrinks with the window; OK keeps to
// the bottom right corner.
class FolderPicker final : public FolderWindow {
 public:
  FolderPicker(HWND owner, SecondaryWindowWiring wiring, DpiScale scale, HFONT font);

 private:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void Arrange();
};

// "Manual Path Entry": the user points at the game's folder by hand. Its controls keep their
// places whatever the window's size.
class GameFolderWindow final : public FolderWindow {
 public:
  GameFolderWindow(HWND owner, SecondaryWindowWiring wiring, DpiScale scale, HFONT font);
};

}  // namespace quillmoor::win32
