// The program's message loop, and the pass over waiting messages that an operation makes
// while it runs.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace quillmoor::win32 {

// Runs until the program is asked to end; keys that move between controls or press buttons
// go to whichever of windows they belong to. Returns the exit code.
int RunMessageLoop(std::initializer_list<HWND> windows);

// Handles every message waiting now the same way, then returns; with no windows, no key
// acts as a dialog key. An end request met on the way stays for the loop.
void HandleWaitingMessages(std::initializer_list<HWND> windows);

}  // namespace quillmoor::win32
