#include "frontend/MainWindowLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/FolderWindowActions.h"

namespace quillmoor {
namespace {

TEST(MainWindowLayout, TheKeyboardGoesThroughEachControlOnceAndTheSmallestWindowShowsThemAll) {
  std::vector<int> tabs;
  for (const ControlDescription& control : MainWindowControlsInTabOrder()) {
    if (control.tab != kNoTabStop) tabs.push_back(control.tab);
    EXPECT_EQ(control.tab != kNoTabStop, TakesInput(control.kind)) << control.name;
    EXPECT_LE(control.place.Right(), kMainWindowMinimumClientSize.width) << control.name;
    EXPECT_LE(control.place.Bottom(), kMainWindowMinimumClientSize.height) << control.name;
  }
  EXPECT_EQ(tabs, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(MainWindowControlsInTabOrder()[3].control, MainWindowControl::SelectFolder);
}

// A folder window without a toolkit: what it shows, and what it was asked to do, in order.
class FakeFolderWindow final : public FolderWindowActions {
 public:
  explicit FakeFolderWindow(std::vector<std::string>& done)
      : FolderWindowActions(
            [&done](const std::string& folder) { done.push_back("got " + folder); }),
        done_(done) {}

  void SetInputEnabled(bool) override {}
  bool shown = false;
  std::string selected = "home";

 private:
  bool IsShown() const override { return shown; }
  void SelectFolder(const std::string& folder) override { selected = folder; }
  std::string SelectedFolder() const override { return selected; }
  void ShowInFront() override { shown = true; }
  void Hide() override {
    shown = false;
    done_.push_back("hidden");
  }

  std::vector<std::string>& done_;
};

TEST(FolderWindowActions, OpensAtTheFolderInUseKeepsTheUsersSelectionAndHidesBeforeHandingOn) {
  std::vector<std::string> done;
  FakeFolderWindow window(done);
  window.OpenAt("");
  EXPECT_EQ(window.selected, "home");  // no folder in use: the last selection
  window.shown = false;
  window.OpenAt("mods");
  EXPECT_EQ(window.selected, "mods");
  window.selected = "chosen by the user";
  window.OpenAt("mods");  // already open: only to the front
  EXPECT_TRUE(window.shown);
  EXPECT_EQ(window.selected, "chosen by the user");
  window.Accept();
  EXPECT_EQ(done, (std::vector<std::string>{"hidden", "got chosen by the user"}));
}

}  // namespace
}  // namespace quillmoor
