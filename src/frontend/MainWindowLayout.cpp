#include "frontend/MainWindowLayout.h"

#include <algorithm>

#include "operations/Host.h"

namespace quillmoor {

namespace {

using enum ControlKind;

constexpr std::array<ControlDescription, kMainWindowControlCount> kLayout = {{
    {MainWindowControl::SourceLabel,
     "SourceLabel",
     Label,
     {8, 4, 152, 13},
     kNoTabStop,
     "Select file(s) to replace in wad(s)",
     ButtonPicture::None},
    {MainWindowControl::SelectFolder,
     "SelectFolder",
     SmallButton,
     {176, 4, 121, 15},
     0,
     "Select a Folder",
     ButtonPicture::None},
    {MainWindowControl::SourceField,
     "SourceField",
     FileNameField,
     {8, 21, 417, 20},
     1,
     kNoSourceText,
     ButtonPicture::None},
    {MainWindowControl::WadLabel,
     "WadLabel",
     Label,
     {8, 52, 277, 13},
     kNoTabStop,
     "Select one of the GP4's wad to patch or the wad to extract",
     ButtonPicture::None},
    {MainWindowControl::ChangeGamePath,
     "ChangeGamePathButton",
     SmallButton,
     {320, 52, 105, 15},
     7,
     "Change GP4 Path",
     ButtonPicture::None},
    {MainWindowControl::WadField,
     "WadField",
     FileNameField,
     {8, 69, 417, 20},
     2,
     "",
     ButtonPicture::None},
    {MainWindowControl::CreateWad,
     "CreateWadButton",
     OperationButton,
     {8, 96, 88, 22},
     3,
     "Create wad",
     ButtonPicture::CreateWad},
    {MainWindowControl::UpdateWad,
     "UpdateWadButton",
     OperationButton,
     {104, 96, 88, 22},
     4,
     "Update wad",
     ButtonPicture::UpdateWad},
    {MainWindowControl::ExtractWad,
     "ExtractWadButton",
     OperationButton,
     {200, 96, 88, 22},
     5,
     "Extract wad",
     ButtonPicture::ExtractWad},
    {MainWindowControl::UpdateTrackWads,
     "UpdateTrackWadsButton",
     OperationButton,
     {304, 96, 121, 22},
     6,
     "Update track wads",
     ButtonPicture::UpdateTracks},
    {MainWindowControl::ProgressBar,
     "ProgressBar",
     ProgressBar,
     {8, 126, 417, 16},
     kNoTabStop,
     "",
     ButtonPicture::None},
}};

// DescriptionOf finds a control at its place in the enumeration.
constexpr bool InEnumerationOrder(
    const std::array<ControlDescription, kMainWindowControlCount>& layout) {
  for (std::size_t i = 0; i < layout.size(); ++i) {
    if (static_cast<std::size_t>(layout[i].control) != i) return false;
  }
  return true;
}
static_assert(InEnumerationOrder(kLayout));

}  // namespace

const std::array<ControlDescription, kMainWindowControlCount>& MainWindowLayout() {
  return kLayout;
}

const ControlDescription& DescriptionOf(MainWindowControl control) {
  return kLayout[static_cast<std::size_t>(control)];
}

std::vector<ControlDescription> MainWindowControlsInTabOrder() {
  std::vector<ControlDescription> controls(kLayout.begin(), kLayout.end());
  std::stable_sort(
      controls.begin(), controls.end(),
      [](const ControlDescription& a, const ControlDescription& b) { return a.tab < b.tab; });
  return controls;
}

bool TakesInput(ControlKind kind) { return kind != Label && kind != ProgressBar; }

OpenDialogSettings FieldDialog(MainWindowControl field) {
  OpenDialogSettings settings;
  if (field == MainWindowControl::SourceField) {
    settings.title = "Select a file";
    settings.filter = "*.*|*.*";
    settings.multiSelect = true;
  } else {
    settings.title = "Select a wad";
    settings.filter = "*.wad|*.wad";
    settings.defaultExtension = "wad";
  }
  return settings;
}

}  // namespace quillmoor
