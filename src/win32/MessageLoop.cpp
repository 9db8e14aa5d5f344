#include "win32/MessageLoop.h"

namespace quillmoor::win32 {

namespace {

void Handle(MSG& message, std::initializer_list<HWND> windows) {
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
