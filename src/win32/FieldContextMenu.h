// The context menu of a text field that offers one command of its window besides the usual
// edit commands: Undo, Cut, Copy, Paste, Delete and Select All, each available when it can
// act, then the window's own command below a separator, which reaches the window as a
// WM_COMMAND.
#pragma once

#include <windows.h>

#include <string>

namespace quillmoor::win32 {

// The window's command a field's menu offers: its text and its command id.
struct FieldMenuCommand {
  std::string text;
  int id = 0;
};

// From now on, a right click on edit, Shift+F10 or the menu key in it opens the menu with
// command, at the mouse or at the field's top left corner.
void OfferInContextMenu(HWND edit, const FieldMenuCommand& command);

// The menu as it is for edit at this moment, for the caller to destroy; and what choosing
// item chosen in it does. Opening the menu takes these two steps.
HMENU FieldContextMenu(HWND edit, const FieldMenuCommand& command);
void RunFieldMenuItem(HWND edit, UINT chosen);

}  // namespace quillmoor::win32
