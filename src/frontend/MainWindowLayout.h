// What the main window holds, once for every toolkit: each control with its kind, its place
// and size at 96 dots per inch, its place in the keyboard order and its text, the window's
// sizes, and the dialogs its fields and operations open. Each toolkit makes its controls
// from this table.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "frontend/DesignRect.h"

namespace quillmoor {

enum class ControlKind { Label, SmallButton, FileNameField, OperationButton, ProgressBar };

enum class MainWindowControl {
  SourceLabel,
  SelectFolder,
  SourceField,
  WadLabel,
  ChangeGamePath,
  WadField,
  CreateWad,
  UpdateWad,
  ExtractWad,
  UpdateTrackWads,
  ProgressBar,
};

// The picture beside an operation button's caption; each toolkit draws its own.
enum class ButtonPicture { None, CreateWad, UpdateWad, ExtractWad, UpdateTracks };

// A control's place in the keyboard order of a control that takes no focus.
inline constexpr int kNoTabStop = -1;

struct ControlDescription {
  MainWindowControl control;
  // The control's name, which tests and accessibility tools find it by.
  const char* name;
  ControlKind kind;
  DesignRect place;
  int tab;
  // The caption of a label or a button; the text a field starts with.
  const char* text;
  ButtonPicture picture;
};

// The client area at its start and at its smallest. The smallest still shows the whole
// progress bar, so that its text stays readable.
inline constexpr DesignSize kMainWindowClientSize{433, 147};
inline constexpr DesignSize kMainWindowMinimumClientSize{433, 142};

inline constexpr std::size_t kMainWindowControlCount = 11;

// The controls, from the top left to the bottom right.
const std::array<ControlDescription, kMainWindowControlCount>& MainWindowLayout();
const ControlDescription& DescriptionOf(MainWindowControl control);
// The controls in the order a toolkit makes them: those that take no focus first, then the
// others in their keyboard order, which is the order of making in a Win32 dialog.
std::vector<ControlDescription> MainWindowControlsInTabOrder();
// Whether the control starts or changes anything, so that it takes no input during a run.
bool TakesInput(ControlKind kind);

// An open dialog as a file-name field sets it up. The filter is given as
// "description|pattern" pairs, patterns separated by ';'.
struct OpenDialogSettings {
  std::string title;
  std::string filter;
  std::string initialFolder;
  std::string defaultExtension;
  bool multiSelect = false;
};

// The dialog of the source field or of the wad field.
OpenDialogSettings FieldDialog(MainWindowControl field);

// The save dialog shared by extraction and creation: its title is fixed, its file name and
// filter are set before each showing and kept afterwards.
struct SaveDialogSettings {
  std::string title = "Please choose a folder";
  std::string filter = "folder to create|*.*";
  std::string fileName;
};

}  // namespace quillmoor
