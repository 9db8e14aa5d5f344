// A file-name field: a text field with a browse button "..." at its right end that opens a
// file dialog and puts the first chosen file's full path into the field. Both are controls
// of the window that holds the field; the window hands their commands to Command.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win32/Dialogs.h"
#include "win32/DpiScale.h"

namespace quillmoor::win32 {

class FileNameField {
 public:
  // The field's edit has the control id fieldId, its browse button browseId. browsed runs
  // after each browse, confirmed or cancelled.
  FileNameField(Dialogs& dialogs, OpenDialogSettings settings, std::function<void()> browsed);

  // Makes the two controls in window at place (design pixels). The browse button is made
  // first, so it lies above the edit.
  void Create(HWND window, int fieldId, int browseId, const DesignRect& place, DpiScale scale,
              HFONT font);

  std::string Text() const;
  void SetText(const std::string& text);
  // The folder the dialog starts in next time.
  void SetInitialFolder(const std::string& folder) { settings_.initialFolder = folder; }
  const OpenDialogSettings& DialogSettings() const { return settings_; }
  HWND Edit() const { return edit_; }
  HWND BrowseButton() const { return browseButton_; }

  // Opens the dialog as the browse button does.
  void Browse();

 private:
  Dialogs& dialogs_;
  OpenDialogSettings settings_;
  std::function<void()> browsed_;
  HWND edit_ = nullptr;
  HWND browseButton_ = nullptr;
};

}  // namespace quillmoor::win32
