#include "settings/StartupFill.h"

#include "paths/PathText.h"
#include "settings/GameFolder.h"

namespace quillmoor {

void RunStartupFill(ProgramState& state, SettingsStore& store,
                    const InstallationRecordReader& readRecord, StartupFields& fields,
                    const std::string& currentFolder) {
  state.TrackMode = false;
  store.Open();
  state.SourceList.clear();
  FindGameFolder(store, readRecord, state.GameFolderFound);
  fields.SetSourceText(store.Read(kFileNameSetting, kNoSourceText));
  fields.SetSourceDialogFolder(
      FolderPart(store.Read(kFileNameSetting, currentFolder + kNativeSeparator)));
  if (state.GameFolderFound) {
    fields.SetWadDialogFolder(FindGameFolder(store, readRecord, state.GameFolderFound));
    fields.SetWadText(store.Read(kWadNameSetting, ""));
  } else {
    fields.SetWadDialogFolder(currentFolder);
  }
}

}  // namespace quillmoor
