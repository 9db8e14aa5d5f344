// The Win32 windows, made as quillmoor.exe makes them and driven with window messages; the
// dialogs are answered by the test.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FakeClock.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "operations/TrackNames.h"
#include "settings/RegistrySettingsStore.h"
#include "win32/FieldContextMenu.h"
#include "win32/MessageLoop.h"
#include "win32/WindowSet.h"
#include "win32/WindowText.h"

namespace quillmoor::win32 {
namespace {

using quillmoor::testing::FakeClock;
using quillmoor::testing::ReadFile;
using quillmoor::testing::TempDir;
using quillmoor::testing::WadBuilder;
using testing::ScriptedDialogs;

// Where a control stands in the client area of its window: left, top, width, height.
struct Place {
  int left, top, width, height;
  bool operator==(const Place&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const Place& p) {
    return out << "(" << p.left << ", " << p.top << ", " << p.width << " x " << p.height << ")";
  }
};

Place PlaceOf(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return {place.left, place.top, place.right - place.left, place.bottom - place.top};
}

SIZE ClientSizeOf(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

// The width and height of text in the font that control draws with.
SIZE TextSizeIn(HWND control, const std::string& text) {
  HDC dc = GetDC(control);
  HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  const std::wstring wide = Wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return size;
}

std::string BarText(const MainWindow& window) {
  return TextOf(GetDlgItem(window.Handle(), kProgressBar));
}

int BarPosition(const MainWindow& window) {
  return static_cast<int>(
      SendMessageW(GetDlgItem(window.Handle(), kProgressBar), PBM_GETPOS, 0, 0));
}

// Keys pressed and let go as a person does, in order, each with the keys before it held down
// when it is a modifier.
void TypeKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input;
  for (WORD key : keys) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    input.push_back(down);
  }
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    INPUT up{};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *key;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    input.push_back(up);
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// The texts of a menu's items, with "-" for a separator and "(off)" after one not available.
std::vector<std::string> MenuItems(HMENU menu) {
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    if ((state & MF_SEPARATOR) != 0) {
      items.push_back("-");
      continue;
    }
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    std::string item;
    for (const wchar_t* c = text; *c != 0; ++c) item += static_cast<char>(*c);
    items.push_back(item + ((state & MF_GRAYED) != 0 ? " (off)" : ""));
  }
  return items;
}

// Chooses the last item of the menu that opens next, with the keyboard, once it has opened.
void ChooseLastItemOfTheNextMenu() {
  SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    TypeKeys({VK_UP});
    TypeKeys({VK_RETURN});
  });
}

// The windows over a settings key, a folder and a game installation of the test's own.
class WindowsWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepareWindowClasses(); }

  ~WindowsWindowTest() override {
    windows_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key_).c_str());
    DeleteObject(font_);
  }

  WindowSet& Open(int dpi = 96) {
    DeleteObject(font_);
    font_ = CreateDialogFont(DpiScale(dpi));
    windows_ = std::make_unique<WindowSet>(
        dialogs_, store_, state_, [this] { return record_; }, clock_, NativeFileSystem(),
        DpiScale(dpi), font_);
    return *windows_;
  }
  MainWindow& Main() { return windows_->main; }
  HWND Control(int id) { return GetDlgItem(Main().Handle(), id); }
  void Click(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
  void SetField(int id, const std::string& text) {
    SetWindowTextW(Control(id), Wide(text).c_str());
  }
  void InstallGame() {
    dir_.WriteFile("game/GP4.exe", "MZ");
    record_ = dir_ / "game";
  }
  // Shows the main window, active, as the user sees it.
  void Show() {
    ShowWindow(Main().Handle(), SW_SHOW);
    SetForegroundWindow(Main().Handle());
    HandleWaitingMessages({});
  }
  // A key pressed and let go where the keyboard focus is, handled as the program's loop does.
  void Press(WORD key) {
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    HandleWaitingMessages(
        {Main().Handle(), windows_->folderPicker.Handle(), windows_->gameFolderWindow.Handle()});
  }

  TempDir dir_;
  ScriptedDialogs dialogs_;
  ProgramState state_;
  FakeClock clock_;
  const std::string key_ =
      "Software\\Brenmoth's Quillmoor tests\\" + std::to_string(GetCurrentProcessId()) + "-window";
  RegistrySettingsStore store_{key_};
  std::optional<std::string> record_;
  HFONT font_ = nullptr;
  std::unique_ptr<WindowSet> windows_;
};

struct ControlPlace {
  int id;
  Place place;
  const char* text;
};

const ControlPlace kMainControls[] = {
    {kSourceLabel, {8, 4, 152, 13}, "Select file(s) to replace in wad(s)"},
    {kSelectFolder, {176, 4, 121, 15}, "Select a Folder"},
    {kSourceField, {8, 21, 417, 20}, nullptr},
    {kWadLabel, {8, 52, 277, 13}, "Select one of the GP4's wad to patch or the wad to extract"},
    {kChangeGamePath, {320, 52, 105, 15}, "Change GP4 Path"},
    {kWadField, {8, 69, 417, 20}, nullptr},
    {kCreateWad, {8, 96, 88, 22}, "Create wad"},
    {kUpdateWad, {104, 96, 88, 22}, "Update wad"},
    {kExtractWad, {200, 96, 88, 22}, "Extract wad"},
    {kUpdateTrackWads, {304, 96, 121, 22}, "Update track wads"},
    {kProgressBar, {8, 126, 417, 16}, ""},
};

TEST_F(WindowsWindowTest, ControlsStandWhereTheyBelongInTheDialogFontAndTheirTextsFit) {
  Open();
  EXPECT_EQ(TextOf(Main().Handle()), "Quillmoor 2.9");
  EXPECT_EQ(ClientSizeOf(Main().Handle()).cx, 433);
  EXPECT_EQ(ClientSizeOf(Main().Handle()).cy, 147);

  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Control(kCreateWad), WM_GETFONT, 0, 0)),
             sizeof(font), &font);
  EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Sans Serif");
  EXPECT_EQ(font.lfHeight, -11);
  HDC dc = GetDC(Control(kCreateWad));
  HGDIOBJ previous = SelectObject(
      dc, reinterpret_cast<HFONT>(SendMessageW(Control(kCreateWad), WM_GETFONT, 0, 0)));
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, previous);
  ReleaseDC(Control(kCreateWad), dc);
  EXPECT_EQ(std::wstring(face), L"MS Sans Serif");  // the face itself, not a stand-in

  SetWindowPos(Main().Handle(), nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
  for (const ControlPlace& control : kMainControls) {
    SCOPED_TRACE(control.id);
    HWND handle = Control(control.id);
    ASSERT_NE(handle, nullptr);
    Place place = PlaceOf(handle);
    const bool label = control.id == kSourceLabel || control.id == kWadLabel;
    // A label is as wide as its text where the face that stands in for the font is wider.
    if (label) place.width = std::min(place.width, control.place.width);
    EXPECT_EQ(place, control.place);
    if (control.text == nullptr) continue;
    EXPECT_EQ(TextOf(handle), control.text);
    const SIZE text = TextSizeIn(handle, control.text);
    int room = label ? PlaceOf(handle).width : control.place.width;
    if (control.id >= kCreateWad && control.id <= kUpdateTrackWads)
      room -= 16 + 4 + 6;
    else if (control.id == kSelectFolder || control.id == kChangeGamePath)
      room -= 6;
    EXPECT_LE(text.cx, room) << control.text;
    EXPECT_LE(text.cy, control.place.height) << control.text;
  }
  EXPECT_EQ(TextOf(Control(kSourceField)), "...or select a file");
  // Labels end before the buttons beside them.
  EXPECT_LT(PlaceOf(Control(kSourceLabel)).left + PlaceOf(Control(kSourceLabel)).width, 176);
  EXPECT_LT(PlaceOf(Control(kWadLabel)).left + PlaceOf(Control(kWadLabel)).width, 320);

  SetWindowPos(Main().Handle(), nullptr, 0, 0, 100, 50, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(ClientSizeOf(Main().Handle()).cx, 433);
  EXPECT_EQ(ClientSizeOf(Main().Handle()).cy, 142);  // the bar and its text stay whole
}

TEST_F(WindowsWindowTest, EveryPlaceAndSizeFollowsTheScreenDensity) {
  Open(144);
  EXPECT_EQ(ClientSizeOf(Main().Handle()).cx, 650);
  EXPECT_EQ(ClientSizeOf(Main().Handle()).cy, 221);
  EXPECT_EQ(PlaceOf(Control(kUpdateTrackWads)), (Place{456, 144, 182, 33}));
  EXPECT_EQ(PlaceOf(Control(kProgressBar)), (Place{12, 189, 626, 24}));
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Control(kSourceLabel), WM_GETFONT, 0, 0)),
             sizeof(font), &font);
  EXPECT_EQ(font.lfHeight, -17);
}

TEST_F(WindowsWindowTest, TabGoesThroughTheControlsInOrderAndEnterPressesTheFocusedButton) {
  Open();
  Show();
  EXPECT_EQ(GetFocus(), Control(kSelectFolder));
  for (int next : {kSourceField, kWadField, kCreateWad, kUpdateWad, kExtractWad, kUpdateTrackWads,
                   kChangeGamePath, kSelectFolder}) {
    Press(VK_TAB);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), next);
  }
  for (int i = 0; i < 4; ++i) Press(VK_TAB);  // to "Update wad"
  ASSERT_EQ(GetFocus(), Control(kUpdateWad));
  Press(VK_RETURN);
  EXPECT_EQ(dialogs_.messages,
            std::vector<std::string>{"Sorry but you have to choose source file(s) first."});
  EXPECT_EQ(GetFocus(), Control(kUpdateWad));

  SetFocus(Control(kWadField));
  Press(VK_RETURN);  // no default button: Enter in a field does nothing
  EXPECT_EQ(dialogs_.messages.size(), 1u);

  // Enter held down presses the button once: the repeats of the key do nothing.
  SetFocus(Control(kUpdateWad));
  PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 1 | (1 << 30));
  HandleWaitingMessages({Main().Handle()});
  EXPECT_EQ(dialogs_.messages.size(), 1u);
}

TEST_F(WindowsWindowTest, TheFieldsDialogsAreSetUpAsTheyNeedAndTheSourceRemembersItsFolder) {
  const std::string a = dir_.WriteFile("one/a.tex", "a");
  const std::string b = dir_.WriteFile("two/b.tex", "b");
  Open();
  const OpenDialogSettings& source = Main().SourceField().DialogSettings();
  EXPECT_EQ(source.title, "Select a file");
  EXPECT_EQ(source.filter, "*.*|*.*");
  EXPECT_TRUE(source.multiSelect);
  const OpenDialogSettings& wad = Main().WadField().DialogSettings();
  EXPECT_EQ(wad.title, "Select a wad");
  EXPECT_EQ(wad.filter, "*.wad|*.wad");
  EXPECT_EQ(wad.defaultExtension, "wad");
  EXPECT_FALSE(wad.multiSelect);
  EXPECT_EQ(Main().SaveDialog().title, "Please choose a folder");
  EXPECT_EQ(Main().SaveDialog().filter, "folder to create|*.*");
  const std::string startFolder = source.initialFolder;

  Click(kSourceBrowse);  // cancelled while the placeholder is shown
  EXPECT_EQ(source.initialFolder, startFolder);
  dialogs_.openAnswers = {{a, b, dir_ / "three.tex"}};
  Click(kSourceBrowse);
  EXPECT_EQ(TextOf(Control(kSourceField)), a);
  EXPECT_EQ(source.initialFolder, dir_ / "one\\");
  SetField(kSourceField, b);
  Click(kSourceBrowse);  // cancelled: the typed file still counts
  EXPECT_EQ(source.initialFolder, dir_ / "two\\");

  dialogs_.openAnswers = {{dir_ / "x\\cars.wad"}};
  Click(kWadBrowse);
  EXPECT_EQ(TextOf(Control(kWadField)), dir_ / "x\\cars.wad");
}

TEST_F(WindowsWindowTest, StartUpFillsTheFieldsFromTheStoreAndTheGame) {
  InstallGame();
  store_.Write(kWadNameSetting, "C:\\somewhere\\cars.wad");
  store_.Write(kFileNameSetting, dir_ / "mods\\src");
  Open();
  EXPECT_EQ(TextOf(Control(kSourceField)), dir_ / "mods\\src");
  EXPECT_EQ(Main().SourceField().DialogSettings().initialFolder, dir_ / "mods\\");
  EXPECT_EQ(TextOf(Control(kWadField)), "C:\\somewhere\\cars.wad");
  EXPECT_EQ(Main().WadField().DialogSettings().initialFolder, dir_ / "game");
  EXPECT_TRUE(state_.GameFolderFound);
}

TEST_F(WindowsWindowTest, TheButtonsExtractUpdateAndCreateAndShowTheTimeTaken) {
  Open();
  const std::string wad = WadBuilder().Entry("maps\\a.dat", "AAA").WriteTo(dir_ / "cars.wad");
  SetField(kWadField, wad);
  dialogs_.saveAnswers = {dir_ / "out"};
  Click(kExtractWad);
  EXPECT_EQ(dialogs_.saveShown.at(0).fileName, dir_ / "cars");
  EXPECT_EQ(ReadFile(dir_ / "out/maps/a.dat"), "AAA");
  EXPECT_EQ(BarText(Main()), "Wad extracted in 0s");
  EXPECT_EQ(RegistrySettingsStore(key_).Read(kExtractPathSetting, ""), dir_ / "");

  SetField(kSourceField, dir_.WriteFile("mod/maps/a.dat", "new"));
  Click(kUpdateWad);
  EXPECT_EQ(ReadFile(wad), WadBuilder().Entry("maps\\a.dat", "new").Build());
  EXPECT_EQ(BarText(Main()), "Update done in 0s");
  EXPECT_EQ(store_.Read(kWadNameSetting, ""), wad);

  dir_.WriteFile("data/a.txt", "A");
  dir_.WriteFile("data/b.txt", "B");
  SetField(kSourceField, dir_ / "data");
  dialogs_.saveAnswers = {dir_ / "new.wad"};
  Click(kCreateWad);
  EXPECT_EQ(dialogs_.saveShown.at(1).fileName, "data.wad");
  EXPECT_EQ(dialogs_.saveShown.at(1).filter, "Wad file(*.wad)|*.wad");
  EXPECT_EQ(ReadFile(dir_ / "new.wad"),
            WadBuilder().Entry("a.txt", "A").Entry("b.txt", "B").Build());
  EXPECT_EQ(BarText(Main()), "Wad created in 0s");
  EXPECT_EQ(BarPosition(Main()), 0);
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(WindowsWindowTest, UpdateTrackWadsUpdatesTheSeventeenWadsOfTheGameFolder) {
  InstallGame();
  for (std::string_view track : TrackNames) {
    WadBuilder()
        .Entry("cars\\car.tex", "old")
        .Entry("track.dat", std::string(track))
        .WriteTo(dir_ / ("game/" + std::string(track) + ".wad"));
  }
  Open();
  SetField(kSourceField, dir_.WriteFile("mod/cars/car.tex", "new paint"));
  Click(kUpdateTrackWads);
  for (std::string_view track : TrackNames) {
    SCOPED_TRACE(track);
    EXPECT_EQ(ReadFile(dir_ / ("game/" + std::string(track) + ".wad")),
              WadBuilder()
                  .Entry("cars\\car.tex", "new paint")
                  .Entry("track.dat", std::string(track))
                  .Build());
  }
  EXPECT_EQ(BarText(Main()), "Update done in 0s");
  EXPECT_FALSE(state_.TrackMode);
  EXPECT_EQ(store_.Read(kWadNameSetting, "none"), "none");
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(WindowsWindowTest, AFailureShowsTheErrorBoxAndLeavesTheBarEmpty) {
  Open();
  SetField(kWadField, WadBuilder().Entry("a.dat", "AAA").WriteTo(dir_ / "good.wad"));
  dialogs_.saveAnswers = {dir_ / "first"};
  Click(kExtractWad);
  ASSERT_EQ(BarText(Main()), "Wad extracted in 0s");

  SetField(kWadField,
           WadBuilder().Entry("a.dat", "AAA").TruncateTo(4 + 136 + 1).WriteTo(dir_ / "x.wad"));
  dialogs_.saveAnswers = {dir_ / "out"};
  Click(kExtractWad);
  EXPECT_EQ(dialogs_.errors, std::vector<std::string>{"Lecture au-delà de la fin de fichier."});
  EXPECT_EQ(BarText(Main()), "");
  EXPECT_EQ(BarPosition(Main()), 0);
  EXPECT_TRUE(IsWindowEnabled(Control(kExtractWad)));
}

TEST_F(WindowsWindowTest, WhileAnOperationRunsNothingTakesInput) {
  WindowSet& windows = Open();
  Show();
  dir_.WriteFile("data/a.txt", "A");
  dir_.WriteFile("data/b.txt", "B");
  SetField(kSourceField, dir_ / "data");
  SetFocus(Control(kCreateWad));
  std::vector<int> enabledDuringRun;
  bool pickerEnabled = true;
  dialogs_.whileSaveDialogShows = [&] {
    for (int id : {kSelectFolder, kSourceField, kSourceBrowse, kChangeGamePath, kWadField,
                   kWadBrowse, kCreateWad, kUpdateWad, kExtractWad, kUpdateTrackWads}) {
      if (IsWindowEnabled(Control(id))) enabledDuringRun.push_back(id);
    }
    pickerEnabled = IsWindowEnabled(windows.folderPicker.Handle()) != FALSE;
    // A click on "Update wad" and typing, as a person would, reach the window mid-run.
    RECT button;
    GetWindowRect(Control(kUpdateWad), &button);
    SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    INPUT input[4] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    input[2].type = input[3].type = INPUT_KEYBOARD;
    input[2].ki.wVk = input[3].ki.wVk = 'X';
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, input, sizeof(INPUT));
    TypeKeys({VK_CONTROL, 'Z'});
  };
  dialogs_.saveAnswers = {dir_ / "new.wad"};
  Click(kCreateWad);
  HandleWaitingMessages({Main().Handle()});

  EXPECT_EQ(enabledDuringRun, std::vector<int>{});
  EXPECT_FALSE(pickerEnabled);
  EXPECT_EQ(BarText(Main()), "Wad created in 0s");
  EXPECT_EQ(TextOf(Control(kSourceField)), dir_ / "data");
  EXPECT_TRUE(dialogs_.messages.empty());  // neither "Update wad" nor undo ran
  EXPECT_TRUE(dialogs_.questions.empty());
  EXPECT_TRUE(IsWindowEnabled(Control(kUpdateWad)));
  EXPECT_TRUE(IsWindowEnabled(windows.folderPicker.Handle()));
  EXPECT_EQ(GetFocus(), Control(kCreateWad));
}

TEST_F(WindowsWindowTest, CtrlZAndTheWadFieldsMenuPutBackTheWadTheLastRunReplaced) {
  Open();
  Show();
  const std::string old = WadBuilder().Entry("old.txt", "O").Build();
  const std::string wad = dir_.WriteFile("cars.wad", old);
  dir_.WriteFile("data/a.txt", "A");
  dir_.WriteFile("data/b.txt", "B");
  SetField(kSourceField, dir_ / "data");
  dialogs_.saveAnswers = {wad};
  Click(kCreateWad);
  const std::string created = ReadFile(wad);
  ASSERT_NE(created, old);
  // In a text field, Ctrl+Z undoes the typing.
  SetFocus(Control(kSourceField));
  TypeKeys({VK_CONTROL, 'Z'});
  HandleWaitingMessages({Main().Handle()});
  EXPECT_TRUE(dialogs_.questions.empty());
  SetFocus(Control(kCreateWad));

  // No keeps everything as it is; Yes puts the previous version back.
  TypeKeys({VK_CONTROL, 'Z'});
  HandleWaitingMessages({Main().Handle()});
  EXPECT_EQ(dialogs_.questions,
            std::vector<std::string>{"Put back the previous version of cars.wad?"});
  EXPECT_EQ(ReadFile(wad), created);
  dialogs_.questionAnswers = {true, true};
  TypeKeys({VK_CONTROL, 'Z'});
  HandleWaitingMessages({Main().Handle()});
  EXPECT_EQ(ReadFile(wad), old);
  EXPECT_EQ(BarText(Main()), "Undo done in 0s");

  // The wad field's context menu offers the same below the edit commands; undo again
  // brings back the change.
  const HWND wadEdit = Control(kWadField);
  SetField(kWadField, "cars.wad");
  SendMessageW(wadEdit, EM_SETSEL, 0, 4);
  HMENU menu = FieldContextMenu(wadEdit, {"Undo last change", kUndoLastChange});
  const std::vector<std::string> items = MenuItems(menu);
  DestroyMenu(menu);
  ASSERT_EQ(items.size(), 10u);
  EXPECT_EQ(std::vector<std::string>(items.begin() + 2, items.end()),
            (std::vector<std::string>{"Cu&t", "&Copy", items[4], "&Delete", "-", "Select &All", "-",
                                      "Undo last change"}));
  RECT field;
  GetWindowRect(wadEdit, &field);
  ChooseLastItemOfTheNextMenu();
  SendMessageW(wadEdit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wadEdit),
               MAKELPARAM(field.left + 4, field.top + 4));
  HandleWaitingMessages({Main().Handle()});
  EXPECT_EQ(dialogs_.questions.size(), 3u);
  EXPECT_EQ(ReadFile(wad), created);
  EXPECT_TRUE(dialogs_.messages.empty());
}

TEST_F(WindowsWindowTest, TheFolderPickerPutsTheChosenFolderIntoTheSourceOnEnter) {
  std::filesystem::create_directories(std::filesystem::path(dir_ / "mods\\ferrari"));
  WindowSet& windows = Open();
  FolderPicker& picker = windows.folderPicker;
  EXPECT_EQ(TextOf(picker.Handle()), "Select Files...");
  EXPECT_EQ(ClientSizeOf(picker.Handle()).cx, 204);
  EXPECT_EQ(ClientSizeOf(picker.Handle()).cy, 275);
  EXPECT_EQ(TextOf(GetDlgItem(picker.Handle(), kTitle)), "Please choose a folder");
  EXPECT_TRUE(GetWindowLongPtrW(picker.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  Show();
  Click(kSelectFolder);
  ASSERT_TRUE(IsWindowVisible(picker.Handle()));
  picker.Tree().SelectFolder(dir_ / "mods\\ferrari");
  EXPECT_EQ(GetFocus(), picker.Tree().Handle());
  Press(VK_RETURN);
  EXPECT_FALSE(IsWindowVisible(picker.Handle()));
  EXPECT_EQ(TextOf(Control(kSourceField)), dir_ / "mods\\ferrari");

  Click(kSelectFolder);  // opens at the source folder
  EXPECT_EQ(picker.Tree().SelectedFolder(), dir_ / "mods\\ferrari");
  SendMessageW(picker.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(picker.Handle()));
  EXPECT_EQ(TextOf(Control(kSourceField)), dir_ / "mods\\ferrari");

  Click(kSelectFolder);
  picker.Tree().ClearSelection();
  SendMessageW(GetDlgItem(picker.Handle(), IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(TextOf(Control(kSourceField)), "");
}

TEST_F(WindowsWindowTest, TheFolderTreeShowsDrivesAtTheTopAndNoHiddenFolders) {
  std::filesystem::create_directories(std::filesystem::path(dir_ / "mods\\shown"));
  std::filesystem::create_directories(std::filesystem::path(dir_ / "mods\\secret"));
  SetFileAttributesW(Wide(dir_ / "mods\\secret").c_str(), FILE_ATTRIBUTE_HIDDEN);
  WindowSet& windows = Open();
  FolderTree& tree = windows.folderPicker.Tree();
  HTREEITEM first = TreeView_GetRoot(tree.Handle());
  ASSERT_NE(first, nullptr);
  TreeView_SelectItem(tree.Handle(), first);
  EXPECT_EQ(tree.SelectedFolder(), "C:\\");

  tree.SelectFolder(dir_ / "mods\\secret");
  EXPECT_EQ(tree.SelectedFolder(), dir_ / "mods");
  tree.SelectFolder(dir_ / "mods\\shown");
  EXPECT_EQ(tree.SelectedFolder(), dir_ / "mods\\shown");
  EXPECT_EQ(TreeView_GetIndent(tree.Handle()), 19u);
}

TEST_F(WindowsWindowTest, ThePickersTreeGrowsWithTheWindowAndOkKeepsToTheCorner) {
  WindowSet& windows = Open();
  HWND picker = windows.folderPicker.Handle();
  EXPECT_EQ(PlaceOf(windows.folderPicker.Tree().Handle()), (Place{9, 20, 186, 219}));
  RECT outer;
  GetWindowRect(picker, &outer);
  SetWindowPos(picker, nullptr, 0, 0, outer.right - outer.left + 196,
               outer.bottom - outer.top + 225, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(PlaceOf(windows.folderPicker.Tree().Handle()), (Place{9, 20, 382, 444}));
  EXPECT_EQ(PlaceOf(GetDlgItem(picker, IDOK)), (Place{400 - 11 - 73, 500 - 36 + 8, 73, 20}));
}

TEST_F(WindowsWindowTest, TheGameFolderWindowTakesOnlyAFolderThatHoldsTheGame) {
  store_.Write(kFileNameSetting, dir_ / "stored-source");
  store_.Write(kWadNameSetting, dir_ / "game\\monza2001.wad");
  std::filesystem::create_directories(std::filesystem::path(dir_ / "game"));
  WindowSet& windows = Open();
  GameFolderWindow& gameFolder = windows.gameFolderWindow;
  EXPECT_EQ(TextOf(gameFolder.Handle()), "Manual Path Entry");
  EXPECT_EQ(ClientSizeOf(gameFolder.Handle()).cx, 257);
  EXPECT_EQ(ClientSizeOf(gameFolder.Handle()).cy, 306);
  EXPECT_EQ(TextOf(GetDlgItem(gameFolder.Handle(), kTitle)), "Please Choose your GP4 Folder :");
  EXPECT_EQ(PlaceOf(gameFolder.Tree().Handle()), (Place{16, 32, 225, 233}));
  EXPECT_EQ(PlaceOf(GetDlgItem(gameFolder.Handle(), IDOK)), (Place{168, 272, 73, 25}));

  std::filesystem::create_directories(std::filesystem::path(dir_ / "nogame"));
  SetField(kSourceField, "typed but not used");
  Click(kChangeGamePath);
  gameFolder.Tree().SelectFolder(dir_ / "nogame");
  Press(VK_RETURN);
  EXPECT_FALSE(IsWindowVisible(gameFolder.Handle()));
  EXPECT_EQ(TextOf(Control(kSourceField)), "typed but not used");
  EXPECT_EQ(store_.Read(kGamePathSetting, "none"), "none");

  dir_.WriteFile("game/GP4.exe", "MZ");
  Click(kChangeGamePath);
  gameFolder.Tree().SelectFolder(dir_ / "game");
  gameFolder.Accept();
  EXPECT_EQ(store_.Read(kGamePathSetting, ""), dir_ / "game");
  EXPECT_TRUE(state_.GameFolderFound);
  EXPECT_EQ(TextOf(Control(kSourceField)), dir_ / "stored-source");
  EXPECT_EQ(TextOf(Control(kWadField)), dir_ / "game\\monza2001.wad");

  Click(kChangeGamePath);  // opens at the game folder in use
  EXPECT_EQ(gameFolder.Tree().SelectedFolder(), dir_ / "game");
}

}  // namespace
}  // namespace quillmoor::win32
