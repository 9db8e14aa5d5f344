// Every dialog and message box of the Win32 windows goes through here, so that tests can
// answer them without a person.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "frontend/MainWindowLayout.h"

namespace quillmoor::win32 {

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The full paths of the files chosen, in the order the dialog gives them; none when
  // cancelled.
  virtual std::vector<std::string> OpenFiles(HWND owner, const OpenDialogSettings& settings) = 0;
  // The file name confirmed; nothing when cancelled.
  virtual std::optional<std::string> SaveFile(HWND owner, const std::string& title,
                                              const std::string& fileName,
                                              const std::string& filter) = 0;
  // A message box with the program's title as its caption, no icon and one OK.
  virtual void Message(HWND owner, const std::string& text) = 0;
  // The same with the error icon.
  virtual void Error(HWND owner, const std::string& text) = 0;
  // A question with the same caption, Yes and No, No the default; true for Yes.
  virtual bool Question(HWND owner, const std::string& text) = 0;
};

// The system's common dialogs and message boxes, which a person answers.
class SystemDialogs final : public Dialogs {
 public:
  std::vector<std::string> OpenFiles(HWND owner, const OpenDialogSettings& settings) override;
  std::optional<std::string> SaveFile(HWND owner, const std::string& title,
                                      const std::string& fileName,
                                      const std::string& filter) override;
  void Message(HWND owner, const std::string& text) override;
  void Error(HWND owner, const std::string& text) override;
  bool Question(HWND owner, const std::string& text) override;
};

// The filter of a common dialog for a "description|pattern" filter: each text ended by a
// NUL, the whole ended by one more. Empty for no filter.
std::wstring CommonDialogFilter(const std::string& filter);

// The full paths in the buffer of a common open dialog: one full path, or with several
// files the folder and then each name.
std::vector<std::string> ChosenFiles(const std::wstring& buffer);

}  // namespace quillmoor::win32
