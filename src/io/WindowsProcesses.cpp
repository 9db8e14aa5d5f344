#include <windows.h>

#include "io/Processes.h"

namespace quillmoor {

long CurrentProcessId() { return static_cast<long>(::GetCurrentProcessId()); }

bool ProcessIsGone(long pid) {
  const HANDLE process =
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return ::GetLastError() == ERROR_INVALID_PARAMETER;
  DWORD exitCode = 0;
  const bool ended = ::GetExitCodeProcess(process, &exitCode) && exitCode != STILL_ACTIVE;
  ::CloseHandle(process);
  return ended;
}

}  // namespace quillmoor
