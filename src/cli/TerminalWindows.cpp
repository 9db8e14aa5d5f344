#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <windows.h>

#include "cli/Terminal.h"

namespace quillmoor {

bool PrepareProgressTerminal() {
  // Names are printed in UTF-8; a console shows them right only in the UTF-8 code page.
  ::SetConsoleOutputCP(CP_UTF8);
  const HANDLE errors = ::GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (errors == INVALID_HANDLE_VALUE || !::GetConsoleMode(errors, &mode)) return false;
  return ::SetConsoleMode(errors, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

void MakeStandardOutputBinary() { _setmode(_fileno(stdout), _O_BINARY); }

}  // namespace quillmoor
