// What an operation needs of the window (or the terminal, or a test) that runs it. Operations
// reach the outside only through this and the file layer.
#pragma once

#include <string>
#include <vector>

#include "operations/Clock.h"
#include "operations/SettingsValues.h"

namespace quillmoor {

// The text the source field shows while no source has been chosen.
inline constexpr const char* kNoSourceText = "...or select a file";

// The save dialog's answer. After a cancel, fileName is still the name the dialog offered.
struct SaveDialogAnswer {
  bool confirmed;
  std::string fileName;
};

class Host {
 public:
  virtual ~Host() = default;

  // The texts of the source field and the wad field as they are now.
  virtual std::string SourceText() = 0;
  virtual std::string WadText() = 0;
  // The sources of an update, in the order they are put in: the source field's one text,
  // unless the front-end takes several files and folders for one run (as the terminal does).
  virtual std::vector<std::string> SourceTexts() { return {SourceText()}; }

  // A refusal: one text, one OK, waits for the user.
  virtual void ShowMessage(const std::string& text) = 0;
  // A question with Yes and No, which waits for the user; true for Yes.
  virtual bool Confirm(const std::string& question) = 0;

  // The save dialog, offering fileName, with filter given as "description|pattern" pairs
  // (empty for none).
  virtual SaveDialogAnswer AskSaveFileName(const std::string& fileName,
                                           const std::string& filter) = 0;

  // The progress bar: position (a percentage) and text, shown at once.
  virtual void ShowProgress(int position, const std::string& text) = 0;
  virtual void ShowProgressPosition(int position) = 0;
  // Redraws the window at once, e.g. where a dialog just closed.
  virtual void RepaintNow() = 0;
  // The decimal separator of the user's locale, for elapsed seconds.
  virtual std::string DecimalSeparator() = 0;

  virtual SettingsValues& Settings() = 0;
  virtual Clock& TimeSource() = 0;
  // The game folder, or the empty text when it isn't known.
  virtual std::string GamePath() = 0;
};

}  // namespace quillmoor
