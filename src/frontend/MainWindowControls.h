// What a main window shows and takes, whatever toolkit draws it: the two fields with their
// dialogs' starting folders, the message and error boxes, the save dialog, the progress bar
// and whether input is taken. MainWindowActions runs the operations over it.
#pragma once

#include <string>

#include "operations/Host.h"
#include "settings/StartupFill.h"

namespace quillmoor {

class MainWindowControls : public StartupFields {
 public:
  // The texts of the source field and the wad field as they are now.
  virtual std::string SourceText() = 0;
  virtual std::string WadText() = 0;

  // A refusal: caption "Quillmoor 2.9", the text, no icon, one OK; waits for the user.
  virtual void ShowMessage(const std::string& text) = 0;
  // The error box: the same with an error icon; the text alone, without details.
  virtual void ShowErrorBox(const std::string& text) = 0;
  // A question with the same caption, Yes and No; true for Yes.
  virtual bool AskYesNo(const std::string& question) = 0;

  // The save dialog "Please choose a folder", offering fileName with filter as
  // "description|pattern" pairs (empty for none).
  virtual SaveDialogAnswer AskSaveFileName(const std::string& fileName,
                                           const std::string& filter) = 0;

  // The progress bar: position (a percentage, kept within 0 to 100) and text. During a run
  // they show at the next refresh, or when the run ends.
  virtual void ShowProgress(int position, const std::string& text) = 0;
  virtual void ShowProgressPosition(int position) = 0;
  // In the middle of a run: paints the bar as it is now and handles the window's waiting
  // events, so that it repaints and follows moves. The input among them reaches only disabled
  // controls, which drop it.
  virtual void RefreshDuringRun() = 0;
  // Redraws the window at once, e.g. where a dialog just closed.
  virtual void RepaintNow() = 0;
  // The decimal separator of the user's locale, for elapsed seconds.
  virtual std::string DecimalSeparator() = 0;

  // Whether the window takes input that could start or change anything: off while an
  // operation runs, when it still repaints and can be moved.
  virtual void SetInputEnabled(bool enabled) = 0;
};

}  // namespace quillmoor
