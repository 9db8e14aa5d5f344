#include "win32/MessageLoop.h"

#include "win32/MainWindow.h"

namespace quillmoor::win32 {

namespace {

bool IsDown(int key) { return GetKeyState(key) < 0; }

// Ctrl+Z in the main window is its undo, except in a text field, where it undoes the typing.
// AltGr counts as Ctrl+Alt: AltGr+Z types a letter on some keyboards.
bool IsUndoKey(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != 'Z') return false;
  if (!IsDown(VK_CONTROL) || IsDown(VK_MENU) || IsDown(VK_SHIFT)) return false;
  wchar_t className[16] = {};
  GetClassNameW(message.hwnd, className, 16);
  return lstrcmpiW(className, L"Edit") != 0;
}

// Enter held down presses a button once, not again with each repeat of the key.
bool IsRepeatedEnter(const MSG& message) {
  return message.message == WM_KEYDOWN && message.wParam == VK_RETURN &&
         (message.lParam & (1 << 30)) != 0;
}

void Handle(MSG& message, std::initializer_list<HWND> windows) {
  if (IsRepeatedEnter(message)) return;
  if (IsUndoKey(message)) {
    PostMessageW(GetAncestor(message.hwnd, GA_ROOT), WM_COMMAND, kUndoLastChange, 0);
    return;
  }
  for (HWND window : windows) {
    if (window != nullptr && IsDialogMessageW(window, &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

int RunMessageLoop(std::initializer_list<HWND> windows) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Handle(message, windows);
  return static_cast<int>(message.wParam);
}

void HandleWaitingMessages(std::initializer_list<HWND> windows) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    Handle(message, windows);
  }
}

}  // namespace quillmoor::win32
