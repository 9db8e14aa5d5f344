// The start-up fill: what the main window's fields hold when it opens, from the stored
// values and the game folder. Run again when the user points at the game folder by hand.
#pragma once

#include <string>

#include "settings/InstallationRecord.h"
#include "settings/SettingsStore.h"
#include "operations/Host.h"
#include "operations/ProgramState.h"

namespace quillmoor {

// What the fill sets on the main window.
class StartupFields {
 public:
  virtual ~StartupFields() = default;
  virtual void SetSourceText(const std::string& text) = 0;
  virtual void SetSourceDialogFolder(const std::string& folder) = 0;
  virtual void SetWadDialogFolder(const std::string& folder) = 0;
  virtual void SetWadText(const std::string& text) = 0;
};

// Runs the fill step by step: a value stored with a wrong type stops it where it is read
// (SettingsTypeError), leaving what was filled so far. currentFolder is the process's working
// folder.
void RunStartupFill(ProgramState& state, SettingsStore& store,
                    const InstallationRecordReader& readRecord, StartupFields& fields,
                    const std::string& currentFolder);

}  // namespace quillmoor
