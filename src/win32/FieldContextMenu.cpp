#include "win32/FieldContextMenu.h"

// after windows.h, which it needs
#include <commctrl.h>

#include <memory>
#include <utility>

#include "win32/WindowText.h"

namespace quillmoor::win32 {

namespace {

// The items of the edit commands; the window's command keeps its own id, which is above them.
enum EditMenuItem : UINT {
  kUndoTyping = 1,
  kCut,
  kCopy,
  kPaste,
  kDelete,
  kSelectAll,
};

constexpr UINT_PTR kSubclassId = 1;

// The selection in edit: where it starts and where it ends.
std::pair<DWORD, DWORD> SelectionOf(HWND edit) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

void AddItem(HMENU menu, UINT id, const std::string& text, bool available) {
  AppendMenuW(menu, MF_STRING | (available ? MF_ENABLED : MF_GRAYED), id, Wide(text).c_str());
}

// Where the menu opens: at the mouse, or for the keyboard (-1, -1) at the field's corner.
POINT MenuPlace(HWND edit, LPARAM at) {
  if (at != static_cast<LPARAM>(-1)) {
    return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  }
  POINT corner{0, 0};
  ClientToScreen(edit, &corner);
  return corner;
}

LRESULT CALLBACK FieldProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR /*subclassId*/, DWORD_PTR data) {
  const auto* command = reinterpret_cast<const FieldMenuCommand*>(data);
  switch (message) {
    case WM_CONTEXTMENU: {
      SetFocus(edit);
      const POINT place = MenuPlace(edit, lParam);
      HMENU menu = FieldContextMenu(edit, *command);
      const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                           place.x, place.y, 0, edit, nullptr));
      DestroyMenu(menu);
      RunFieldMenuItem(edit, chosen);
      return 0;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, FieldProcedure, kSubclassId);
      delete command;
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void OfferInContextMenu(HWND edit, const FieldMenuCommand& command) {
  auto kept = std::make_unique<FieldMenuCommand>(command);
  if (SetWindowSubclass(edit, FieldProcedure, kSubclassId,
                        reinterpret_cast<DWORD_PTR>(kept.get()))) {
    kept.release();
  }
}

HMENU FieldContextMenu(HWND edit, const FieldMenuCommand& command) {
  const bool writable = (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) == 0;
  const auto [start, end] = SelectionOf(edit);
  const bool selection = start != end;
  const bool allSelected = start == 0 && static_cast<int>(end) == GetWindowTextLengthW(edit);
  HMENU menu = CreatePopupMenu();
  AddItem(menu, kUndoTyping, "&Undo", writable && SendMessageW(edit, EM_CANUNDO, 0, 0) != 0);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AddItem(menu, kCut, "Cu&t", writable && selection);
  AddItem(menu, kCopy, "&Copy", selection);
  AddItem(menu, kPaste, "&Paste", writable && IsClipboardFormatAvailable(CF_UNICODETEXT));
  AddItem(menu, kDelete, "&Delete", writable && selection);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AddItem(menu, kSelectAll, "Select &All", GetWindowTextLengthW(edit) > 0 && !allSelected);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AddItem(menu, static_cast<UINT>(command.id), command.text, true);
  return menu;
}

void RunFieldMenuItem(HWND edit, UINT chosen) {
  switch (chosen) {
    case 0:
      break;
    case kUndoTyping:
      SendMessageW(edit, EM_UNDO, 0, 0);
      break;
    case kCut:
      SendMessageW(edit, WM_CUT, 0, 0);
      break;
    case kCopy:
      SendMessageW(edit, WM_COPY, 0, 0);
      break;
    case kPaste:
      SendMessageW(edit, WM_PASTE, 0, 0);
      break;
    case kDelete:
      SendMessageW(edit, WM_CLEAR, 0, 0);
      break;
    case kSelectAll:
      SendMessageW(edit, EM_SETSEL, 0, -1);
      break;
    default:
      PostMessageW(GetParent(edit), WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
      break;
  }
}

}  // namespace quillmoor::win32
