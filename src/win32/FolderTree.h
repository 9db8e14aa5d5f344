// The folder tree of the folder picker and the game-folder window: a tree-view control that
// shows the drives at the top and, below them, folders only, filled from the file system when
// a folder is first opened; hidden folders are left out. It has the system's icons, no lines
// or buttons at the root level, an indent of 19, and a right click selects the folder under
// the mouse.
#pragma once

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <string>

#include "frontend/FolderWindowActions.h"
#include "win32/DpiScale.h"

namespace quillmoor::win32 {

class FolderTree {
 public:
  // Followed changes: a folder's content is read again each time it is opened.
  explicit FolderTree(FolderChanges changes) : changes_(changes) {}

  // Makes the tree-view control in window at place (design pixels) with the control id id.
  HWND Create(HWND window, int id, const DesignRect& place, DpiScale scale, HFONT font);
  HWND Handle() const { return tree_; }

  // The selected folder's full path: a drive as "C:\", other folders without a backslash at
  // the end; empty when no folder is selected.
  std::string SelectedFolder() const;
  // Selects folder, opening the folders above it; a folder that doesn't exist selects as
  // much of its path as does.
  void SelectFolder(const std::string& folder);
  void ClearSelection();

  // The tree's notifications, which its window hands on; returns whether one was handled.
  bool Notify(const NMHDR& header, LRESULT& result);

 private:
  std::wstring PathOf(HTREEITEM item) const;
  // Puts the folders inside item's folder below it, replacing what was there.
  void Fill(HTREEITEM item);
  HTREEITEM ChildNamed(HTREEITEM parent, const std::wstring& name) const;
  HTREEITEM Insert(HTREEITEM parent, const std::wstring& name, const std::wstring& path);

  FolderChanges changes_;
  HWND tree_ = nullptr;
};

}  // namespace quillmoor::win32
