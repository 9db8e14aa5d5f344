#include "win32/MessageLoop.h"

#include "win32/MainWindow.h"

namespace quillmoor::win32 {

namespace {

// Ctrl+Z anywhere in the main window, the fields included, is its undo.
bool IsUndoKey(const MSG& message) {
  return message.message == WM_KEYDOWN && message.wParam == 'Z' && GetKeyState(VK_CONTROL) < 0;
}

void Handle(MSG& message, std::initializer_list<HWND> windows) {
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
