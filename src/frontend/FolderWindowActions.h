// What the folder picker and the game-folder window do, once for every toolkit: each opens at
// the folder in use, and its OK hides it before it hands the folder selected on, so that a box
// about that folder shows above everything. Each toolkit gives the window's own steps.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace quillmoor {

// Whether a folder tree follows changes in the file system while it is shown.
enum class FolderChanges { Followed, Ignored };

class FolderWindowActions {
 public:
  // What OK does with the folder selected (empty when none is).
  using FolderAccepted = std::function<void(const std::string&)>;

  virtual ~FolderWindowActions() = default;

  // Shows the window without blocking, or brings it to the front when it is open. A window
  // that was hidden opens with folder selected, or with its last selection when folder is
  // empty; one that is open keeps what the user selected.
  void OpenAt(const std::string& folder);
  // OK: the window hides and hands on the folder selected.
  void Accept();
  // Whether the window takes input: off while an operation of the main window runs.
  virtual void SetInputEnabled(bool enabled) = 0;

 protected:
  explicit FolderWindowActions(FolderAccepted accepted) : accepted_(std::move(accepted)) {}

 private:
  virtual bool IsShown() const = 0;
  virtual void SelectFolder(const std::string& folder) = 0;
  virtual std::string SelectedFolder() const = 0;
  virtual void ShowInFront() = 0;
  virtual void Hide() = 0;

  FolderAccepted accepted_;
};

}  // namespace quillmoor
